// A calculation kept and given back: through the journal's file, its CSV and
// karvo.ini, for thousands of calculations made as a user makes them.
#include "CalculationSamples.h"

#include "journal/JournalCsv.h"
#include "journal/JournalStore.h"
#include "platform/ProgramFolder.h"
#include "report/ReportBuilder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

constexpr int kCalculations = 2000;

QByteArray reportOf(const Calculation &calculation)
{
    return buildReport(reportInputsOf(calculation, u"07.12.2026"_s));
}

// What a message names when a round trip loses something.
QString described(const Calculation &c)
{
    return u"category %1, region %2 / %3, %4, class %5, payouts %6, term %7, Т %8"_s.arg(c.category)
        .arg(c.region, c.townGroup, c.foreignRegistered ? u"foreign"_s : u"Russian"_s, c.startClass,
            c.payouts, c.term, c.premium);
}

} // namespace

class TestCalculationValue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::vector<Calculation> m_made;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        QRandomGenerator random(20261207);
        for (int i = 0; i < kCalculations; ++i)
            m_made.push_back(samples::madeCalculation(random));
        // The sample covers what it claims to.
        QSet<int> categories;
        int foreign = 0, computed = 0;
        for (const Calculation &c : m_made) {
            categories << c.category;
            foreign += c.foreignRegistered;
            computed += !c.premium.isEmpty();
        }
        QCOMPARE(categories.size(), kCategoryCount);
        QVERIFY(foreign > kCalculations / 10);
        QVERIFY(computed > kCalculations / 2);
    }
    void cleanupTestCase() { setProgramFolder(QString()); }

    void throughTheJournal()
    {
        JournalStore store(m_dir.filePath(u"journal.sqlite"_s));
        for (const Calculation &made : m_made) {
            const JournalAdded added = store.add(journalEntryOf(made));
            QVERIFY2(added.result != JournalAdded::Failed, qPrintable(added.error));
            const std::vector<JournalEntry> newest = store.list({}, 0, 1);
            QCOMPARE(newest.size(), std::size_t(1));
            const Calculation back = calculationOf(newest.front());
            QVERIFY2(back == made, qPrintable(described(made)));
            QCOMPARE(reportOf(back), reportOf(made));
        }
    }

    void throughCsv()
    {
        for (const Calculation &made : m_made) {
            const JournalEntry entry = journalEntryOf(made);
            QBuffer file;
            file.setData((csvHeader() + csvRecord(entry)).toUtf8());
            QVERIFY(file.open(QIODevice::ReadOnly));
            CsvReader reader(file);
            CsvRecord titles, record;
            QVERIFY(reader.next(titles) && reader.next(record));
            const std::optional<JournalEntry> read = entryOfCsvRecord(CsvHeader(titles.fields), record);
            if (made.premium.isEmpty()) {
                // A refused "Расчет" makes no entry, and no CSV line either.
                continue;
            }
            QVERIFY2(read, qPrintable(described(made)));
            QVERIFY2(calculationOf(*read) == made, qPrintable(described(made)));
        }
    }

    // karvo.ini keeps the choices and the period; a load replays them from
    // the start of a calculation, as a renewal from the class the stored
    // term ends in, and saving it again writes the same file.
    void throughKarvoIni()
    {
        for (const Calculation &made : m_made) {
            const StoredInputs stored = storedInputsOf(made);
            QVERIFY(writeStoredInputs(stored).isEmpty());
            PremiumSheet sheet;
            startCalculation(sheet);
            selectCategory(sheet, kDefaultCategory);
            const StoredInputs read = readStoredInputs();
            // An INI file keeps no blanks around a value.
            for (const auto &[key, field] : storedInputFields())
                QCOMPARE(read.*field, (stored.*field).trimmed());
            loadStoredPeriod(sheet, read);
            QVERIFY2(replayStoredInputs(sheet, read), qPrintable(described(made)));
            StoredInputs again = storedInputsOf(sheet.value());
            QCOMPARE(sheet.text(SheetText::StartClass), read.startClass);
            again.startClass = read.startClass;
            QVERIFY2(again == read, qPrintable(described(made)));
            for (const Coefficient c : { Coefficient::Tb, Coefficient::Kt, Coefficient::Ko, Coefficient::Kvs,
                     Coefficient::Km, Coefficient::Ks })
                QCOMPARE(sheet.coefficient(c), made.coefficient(c));
        }
    }

    // Put back whole, a calculation shows the Т it was recorded with, and a
    // change of any input empties it until the input comes back.
    void restoredPremiumFollowsItsInputs()
    {
        for (const Calculation &made : m_made) {
            PremiumSheet sheet;
            sheet.restore(made);
            QCOMPARE(sheet.value(), made);
            if (made.premium.isEmpty())
                continue;
            const QString period = made.period;
            sheet.setText(SheetText::Period, period + u"x"_s);
            QCOMPARE(sheet.text(SheetText::T), QString());
            sheet.setText(SheetText::Period, period);
            QCOMPARE(sheet.text(SheetText::T), made.premium);
        }
    }
};

QTEST_GUILESS_MAIN(TestCalculationValue)
#include "tst_calculationvalue.moc"
