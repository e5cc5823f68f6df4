#include "journal/Journal.h"

#include "journal/JournalStore.h"
#include "journal/JournalTexts.h"
#include "journal/JournalWindow.h"

#include <QDir>

namespace karvo {

Journal::Journal(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
}

Journal::~Journal()
{
    delete m_window;
}

JournalStore &Journal::store()
{
    if (!m_store)
        m_store = std::make_unique<JournalStore>(m_path.isEmpty() ? journalPath() : m_path);
    return *m_store;
}

void Journal::showNotice()
{
    // A journal set aside later in the run brings a notice of its own.
    if (store().notice().isEmpty() || store().notice() == m_noticeShown)
        return;
    m_noticeShown = store().notice();
    emit message(m_noticeShown);
}

void Journal::record(const JournalEntry &entry)
{
    // A "Расчет" that was refused showed no Т and leaves no entry.
    if (entry.t.isEmpty())
        return;
    const JournalAdded added = store().add(entry);
    showNotice();
    if (added.result != JournalAdded::Failed && m_window && m_window->isVisible())
        m_window->refresh();
    // A read-only journal was announced by its notice; any other failure
    // once per run, so that an agent calculating all day is not nagged.
    if (added.result != JournalAdded::Failed || m_failureShown || store().readOnly())
        return;
    m_failureShown = true;
    emit message(journal_texts::kRecordFailed.arg(QDir::toNativeSeparators(store().path()), added.error));
}

void Journal::record(const PremiumSheet &sheet)
{
    record(journalEntryOf(sheet.value()));
}

void Journal::showWindow()
{
    if (!m_window) {
        m_window = new JournalWindow(store());
        connect(m_window, &JournalWindow::openRequested, this, &Journal::openRequested);
    } else {
        m_window->refresh();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    showNotice();
}

} // namespace karvo
