// Renders the journal window with a morning's calculations of an agent to
// PNG, so that the README can show it without a display:
// journal_screen <output folder>.

#include "journal/Journal.h"
#include "journal/JournalTexts.h"
#include "journal/JournalWindow.h"
#include "layout/LayoutTable.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

struct Shown
{
    QString when; // "dd.MM.yyyy HH:mm"
    QString category, region, townGroup, owner, registration;
    std::array<QString, 9> coefficients;
    QString t, note;
};

// Т is each row's product of the coefficients, as step 10 computes it.
const Shown kCalculations[] = {
    { u"05.12.2026 12:30"_s, u"3"_s, u"Московская область"_s, u"Московская область"_s, u"1"_s, u"4"_s,
        { u"1980"_s, u"1,7"_s, u"0,85"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}, u"1"_s }, u"2861,1"_s,
        u"Сидорова А. В., продление"_s },
    { u"06.12.2026 14:02"_s, u"1"_s, u"Республика Татарстан"_s, u"Казань"_s, u"1"_s, u"4"_s,
        { u"1215"_s, u"2"_s, u"0,9"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}, u"1"_s }, u"2187"_s, {} },
    { u"06.12.2026 16:20"_s, u"3"_s, {}, {}, u"1"_s, u"6"_s,
        { u"1980"_s, u"1,7"_s, u"1"_s, u"1,7"_s, u"1"_s, u"1"_s, u"1"_s, u"0,2"_s, u"1"_s }, u"1144,44"_s,
        u"Транзит из Беларуси"_s },
    { u"07.12.2026 09:05"_s, u"3"_s, u"Москва"_s, u"Москва"_s, u"1"_s, u"4"_s,
        { u"1980"_s, u"2"_s, u"0,95"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, {}, u"1"_s }, u"3762"_s,
        u"Иванов И. И., Kia Rio А123ВС 77"_s },
    { u"07.12.2026 10:40"_s, u"2"_s, u"Санкт-Петербург"_s, u"Санкт-Петербург"_s, u"2"_s, u"4"_s,
        { u"2375"_s, u"1,8"_s, u"1"_s, u"1,8"_s, u"1"_s, u"1,2"_s, u"1"_s, {}, u"1"_s }, u"9234"_s,
        u"ООО «Вектор», Škoda Octavia"_s },
    { u"07.12.2026 11:15"_s, u"7"_s, u"Тверская область"_s, u"Тверь"_s, u"1"_s, u"4"_s,
        { u"2025"_s, u"1,5"_s, u"1"_s, u"1"_s, u"1,7"_s, u"1"_s, u"1"_s, {}, u"1"_s }, u"5163,75"_s,
        u"Петров П. П., ГАЗель"_s },
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: journal_screen <output folder>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QApplication::setFont(defaultWindowFont());
    setMessageHandler([](const QString &, const QString &text) { qWarning("%s", qPrintable(text)); });
    const QTemporaryDir journalFolder;
    Journal journal(journalFolder.filePath(u"journal.sqlite"_s));
    QObject::connect(
        &journal, &Journal::message, [](const QString &text) { qWarning("%s", qPrintable(text)); });
    for (const Shown &shown : kCalculations) {
        JournalEntry entry;
        entry.time = QDateTime::fromString(shown.when, kJournalDateFormat);
        entry.inputs = { shown.category, shown.region, shown.townGroup, u"17"_s, u"11"_s, u"4"_s, u"1"_s,
            u"3"_s, u"2"_s, u"12 месяцев и более"_s, u"1"_s, shown.owner, shown.registration, u"7"_s };
        entry.coefficients = shown.coefficients;
        entry.t = shown.t;
        entry.note = shown.note;
        journal.record(entry);
    }
    journal.showWindow();
    JournalWindow *window = journal.window();
    window->resize(1000, 300);
    // Where an installed karvo keeps it, rather than the temporary folder.
    window->findChild<QLabel *>(u"locationLabel"_s)
        ->setText(journal_texts::kLocation.arg(u"/home/agent/.local/share/karvo/journal.sqlite"_s));
    QApplication::processEvents();
    if (!window->grab().save(QDir(folder).filePath(u"journal.png"_s)))
        qFatal("cannot write journal.png");
    return 0;
}
