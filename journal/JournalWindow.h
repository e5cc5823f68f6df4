#pragma once

#include "model/Calculation.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The window "Журнал расчетов": one table of the journal, newest first, with
// "Поиск" above it and the buttons below. It holds nothing of its own: the
// model reads the store a page at a time. "Открыть" only asks (the wizard
// replays the inputs); the questions it has to ask (delete?) and the report's
// "ОК" are bars inside the window, since the program's message box has one
// button only.
namespace karvo {

class JournalModel;
class JournalStore;
struct JournalEntry;

// Asks where to write the CSV; an empty answer cancels. Tests replace it.
using ExportChooser = std::function<QString(QWidget *parent, const QString &suggested)>;
// Installs `chooser` and returns the one it replaces.
ExportChooser setExportChooser(ExportChooser chooser);

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

signals:
    void openRequested(const karvo::Calculation &calculation);

private:
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
    QPushButton *m_open;
    QPushButton *m_report;
    QPushButton *m_delete;
};

} // namespace karvo
