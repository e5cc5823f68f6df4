#pragma once

#include "journal/JournalEntry.h"
#include "journal/JournalWindow.h"

#include <QObject>
#include <QPointer>

#include <memory>

// What the calculator calls: record() after each "Расчет" that showed Т, and
// showWindow() for the link "Журнал расчетов". The journal file is opened the
// first time either is called, never at start-up. A journal that cannot be
// written costs the user one message per run, never a Т: record() returns
// after at most the store's busy timeout, and message() carries what the
// calculator should say, nothing when all is well. Nothing here shows a box.
namespace karvo {

class JournalStore;

class Journal : public QObject
{
    Q_OBJECT

public:
    // `path` empty: journalPath().
    explicit Journal(const QString &path = {}, QObject *parent = nullptr);
    ~Journal() override;

    // An entry without Т (a refused "Расчет") is not recorded.
    void record(const JournalEntry &entry);
    // The calculation the sheet holds.
    void record(const PremiumSheet &sheet);

    // Shows the window, raised, creating it the first time.
    void showWindow();
    // Nothing until showWindow() created it.
    JournalWindow *window() const { return m_window; }

    JournalStore &store();

signals:
    // What the user should be told: a journal set aside or only read, or the
    // first failure to record in this run.
    void message(const QString &text);
    // "Открыть" in the window: the wizard takes this calculation back.
    void openRequested(const karvo::Calculation &calculation);

private:
    // Shows what the store found on opening (a journal set aside, one
    // that is only read), once.
    void showNotice();

    QString m_path;
    std::unique_ptr<JournalStore> m_store;
    QPointer<JournalWindow> m_window;
    QString m_noticeShown;
    bool m_failureShown = false;
};

} // namespace karvo
