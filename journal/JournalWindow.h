#pragma once

#include "model/Calculation.h"

#include <QWidget>

#include <functional>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The window "Журнал расчетов": one table of the journal, newest first, with
// "Поиск" above it, the buttons below and the journal's file in the status
// line. It holds nothing of its own: the model reads the store a page at a
// time. "Открыть" only asks (the wizard replays the inputs). What an action
// asks or tells (delete?, the report made, what an export or import did) is a
// bar inside the window, named by its text and announced to assistive
// technology, since the program's message box has one button only.
//
// The file dialogs are Qt's own, with an icon provider that never opens a
// file: a dialog showing the journal's folder must not open journal.sqlite or
// its log, since closing any descriptor of the file drops every lock SQLite
// holds on it in this process, and another karvo could then reset the log
// under the open journal.
namespace karvo {

class JournalModel;
class JournalStore;
struct JournalEntry;

// Asks where to write the CSV; an empty answer cancels. Tests replace it.
using ExportChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
// Installs `chooser` and returns the one it replaces.
ExportChooser setExportChooser(ExportChooser chooser);
// Asks which CSV to add to the journal; an empty answer cancels.
using ImportChooser = std::function<QString(QWidget *parent, const QString &folder)>;
ImportChooser setImportChooser(ImportChooser chooser);

class JournalWindow : public QWidget
{
    Q_OBJECT

public:
    explicit JournalWindow(JournalStore &store, QWidget *parent = nullptr);

    JournalModel *model() const { return m_model; }

    // Reads the journal again, keeping the search and the order.
    void refresh();

    void openSelected();
    void writeReport();
    void askDelete();
    void exportJournal();
    void importJournal();

signals:
    void openRequested(const karvo::Calculation &calculation);

protected:
    // Esc closes the window, or the bar that is open.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void tell(const QString &text);
    const JournalEntry *currentEntry() const;
    QList<qint64> selectedIds() const;
    void deleteSelected();
    void openReport();
    void updateButtons();

    JournalStore &m_store;
    JournalModel *m_model;
    QLineEdit *m_search;
    QTableView *m_table;
    QFrame *m_deleteBar;
    QLabel *m_deleteQuestion;
    QPushButton *m_confirmDelete;
    QFrame *m_reportBar;
    QPushButton *m_reportOk;
    QFrame *m_noticeBar;
    QLabel *m_notice;
    QPushButton *m_noticeOk;
    QPushButton *m_open;
    QPushButton *m_report;
    QPushButton *m_delete;
};

} // namespace karvo
