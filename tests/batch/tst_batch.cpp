// `karvo --calculate`: a list of calculations made as a user makes them,
// written without their coefficients and Т, is priced back to the same; rows
// the windows would refuse, or that cannot be read, say why while the others
// are priced; and the installed command answers with its exit codes.
#include "CalculationSamples.h"

#include "journal/BatchCommand.h"
#include "journal/BatchPricing.h"
#include "journal/BatchTexts.h"
#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"
#include "journal/JournalTexts.h"

#include <QBuffer>
#include <QProcess>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

constexpr int kCalculations = 1500;

// The columns a user leaves empty for the program to fill: the coefficients,
// both КБМ columns, and Т.
QStringList withoutResults(QStringList fields)
{
    const QStringList titles = csvTitles();
    for (int i = 0; i < titles.size(); ++i) {
        const bool coefficient = std::any_of(kAllCoefficients.begin(), kAllCoefficients.end(),
            [&](Coefficient c) { return shortName(c) == titles[i]; });
        if (coefficient || titles[i] == journal_texts::kPremium)
            fields[i].clear();
    }
    return fields;
}

struct Priced
{
    BatchSummary summary;
    CsvHeader header;
    std::vector<CsvRecord> records;
    QString field(std::size_t row, const QString &title, int occurrence = 0) const
    {
        return header.field(records.at(row), title, occurrence);
    }
    QString error(std::size_t row) const { return field(row, batch_texts::kErrorTitle); }
};

Priced priced(const QByteArray &list)
{
    QBuffer in;
    in.setData(list);
    in.open(QIODevice::ReadOnly);
    QByteArray written;
    Priced out;
    out.summary = calculateList(in, u"список"_s, [&written](const QString &text) {
        written += text.toUtf8();
        return true;
    });
    QBuffer back(&written);
    back.open(QIODevice::ReadOnly);
    CsvReader reader(back);
    CsvRecord record;
    if (reader.next(record))
        out.header = CsvHeader(record.fields);
    while (reader.next(record))
        out.records.push_back(record);
    return out;
}

QByteArray listOf(const QList<QStringList> &rows, const QStringList &titles = csvTitles())
{
    QString text = csvLine(titles);
    for (const QStringList &row : rows)
        text += csvLine(row);
    return text.toUtf8();
}

QString described(const Calculation &c)
{
    return u"category %1, region %2 / %3, %4, class %5, payouts %6, term %7, Т %8"_s.arg(c.category)
        .arg(c.region, c.townGroup, c.foreignRegistered ? u"foreign"_s : u"Russian"_s, c.startClass,
            c.payouts, c.term, c.premium);
}

// A good row to surround a bad one with: the first example of the template.
QStringList exampleRow()
{
    const QString example = batchTemplate().section(u"\r\n"_s, 1, 1) + u"\r\n"_s;
    QBuffer buffer;
    buffer.setData(example.toUtf8());
    buffer.open(QIODevice::ReadOnly);
    CsvReader reader(buffer);
    CsvRecord record;
    reader.next(record);
    return record.fields;
}

int columnOf(const QString &title)
{
    return int(csvTitles().indexOf(title));
}

} // namespace

Q_DECLARE_METATYPE(karvo::RegistrationCase)

class TestBatch : public QObject
{
    Q_OBJECT

    std::vector<Calculation> m_made;

private slots:
    void initTestCase()
    {
        QRandomGenerator random(20261208);
        for (int i = 0; i < kCalculations; ++i)
            m_made.push_back(samples::madeCalculation(random));
        // The sample covers what it claims to: every category, both cases
        // abroad and on the way to registration, first contracts in every
        // class, every term.
        QSet<int> categories;
        QSet<QString> firstClasses, terms;
        int travelling = 0;
        for (const Calculation &c : m_made) {
            categories << c.category;
            if (c.contractKind == ContractKind::FirstTime)
                firstClasses << c.startClass;
            terms << c.term;
            travelling += c.registration == RegistrationCase::TravellingToRegistration;
        }
        QCOMPARE(categories.size(), kCategoryCount);
        QCOMPARE(firstClasses.size(), bonusMalusClasses().size());
        QCOMPARE(terms.size(), qsizetype(kpTermTable().size()) + 1); // and none
        QVERIFY(travelling > 0);
    }

    // Each calculation, written as the journal writes it (codes) or as a
    // user fills the template (texts), with its coefficients and Т empty,
    // comes back the same.
    void everyCalculationComesBack_data()
    {
        QTest::addColumn<bool>("asTexts");
        QTest::newRow("journal's codes") << false;
        QTest::newRow("texts of the windows") << true;
    }

    void everyCalculationComesBack()
    {
        QFETCH(bool, asTexts);
        QList<QStringList> rows;
        for (const Calculation &c : m_made) {
            rows << (asTexts ? listTexts(c, QString()) : withoutResults(csvTexts(journalEntryOf(c))));
        }
        const Priced out = priced(listOf(rows));
        QVERIFY(out.summary.ok);
        QCOMPARE(out.summary.rows, int(m_made.size()));
        QCOMPARE(out.records.size(), m_made.size());
        int refused = 0;
        for (std::size_t i = 0; i < m_made.size(); ++i) {
            const Calculation &made = m_made[i];
            const std::optional<JournalEntry> entry = entryOfCsvRecord(out.header, out.records[i]);
            if (made.premium.isEmpty()) {
                ++refused;
                QVERIFY2(!out.error(i).isEmpty(), qPrintable(described(made)));
                continue;
            }
            QVERIFY2(out.error(i).isEmpty(), qPrintable(out.error(i) + u": "_s + described(made)));
            QVERIFY2(entry, qPrintable(described(made)));
            const Calculation back = calculationOf(*entry);
            QVERIFY2(back.coefficients == made.coefficients, qPrintable(described(made)));
            QCOMPARE(back.premium, made.premium);
            if (asTexts)
                QVERIFY2(inputsOf(back) == inputsOf(made), qPrintable(described(made)));
            else
                QVERIFY2(back == made, qPrintable(described(made)));
        }
        QCOMPARE(out.summary.failed, refused);
    }

    // Coefficients typed into the list are taken as typed into the windows:
    // the worked examples of the formula.
    void typedCoefficients_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("typed"); // ТБ … КН
        QTest::addColumn<QString>("t");

        const auto ru = RegistrationCase::RegisteredInRussia;
        const auto abroad = RegistrationCase::ForeignVehicle;
        const QString person = u"1"_s;
        const QString b = u"7"_s;
        QTest::newRow("Moscow region КТ 1,8")
            << 3 << ru << person << b
            << QStringList { u"1980"_s, u"1,8"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s }
            << u"3564"_s;
        QTest::newRow("every coefficient") << 3 << ru << person << b
                                           << QStringList { u"1980"_s, u"0,85"_s, u"0,95"_s, u"1,8"_s,
                                                  u"1,7"_s, u"1,1"_s, u"0,65"_s, u"1"_s, u"1"_s }
                                           << u"3498,1239"_s;
        QTest::newRow("rounding after every step") << 3 << ru << person << b
                                                   << QStringList { u"1980"_s, u"0,85"_s, u"0,95"_s, u"1,8"_s,
                                                          u"1,7"_s, u"1,1"_s, u"0,65"_s, u"1"_s, u"1,5"_s }
                                                   << u"5247,1858"_s;
        QTest::newRow("legal entity ignores КО and КВС")
            << 2 << ru << u"Юридическое лицо"_s << b
            << QStringList { u"2375"_s, u"1,8"_s, u"1"_s, u"5"_s, u"7"_s, u"1,6"_s, u"1"_s, u"1"_s, u"1"_s }
            << u"12312"_s;
        QTest::newRow("foreign ignores КТ")
            << 3 << abroad << person << b
            << QStringList { u"1980"_s, u"2"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"0,2"_s, u"1"_s }
            << u"1144,44"_s;
        QTest::newRow("travelling ignores КТ, КБМ, КС, КН")
            << 3 << RegistrationCase::TravellingToRegistration << person << b
            << QStringList { u"1980"_s, u"2"_s, u"2,45"_s, u"1"_s, u"1"_s, u"1"_s, u"0,5"_s, u"0,2"_s,
                   u"1,5"_s }
            << u"396"_s;
        QTest::newRow("foreign trailer, floating")
            << 9 << abroad << u"2"_s << u"Прицеп"_s
            << QStringList { u"395"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"0,2"_s, u"1"_s }
            << u"134,3"_s;
        QTest::newRow("floating throughout") << 3 << abroad << person << b
                                             << QStringList { u"1215"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s,
                                                    u"1,1"_s, u"1"_s, u"0,65"_s, u"1,5"_s }
                                             << u"3765,9229"_s;
    }

    void typedCoefficients()
    {
        QFETCH(int, category);
        QFETCH(RegistrationCase, registration);
        QFETCH(QString, owner);
        QFETCH(QString, group);
        QFETCH(QStringList, typed);
        QFETCH(QString, t);

        QStringList titles { u"tb"_s, u"t1"_s, u"t2"_s, u"t3"_s };
        QStringList row { QString::number(category), owner, QString::number(4 + int(registration)), group };
        for (std::size_t i = 0; i < kAllCoefficients.size(); ++i) {
            titles << shortName(kAllCoefficients[i]);
            row << typed[qsizetype(i)];
        }
        const Priced out = priced(listOf({ row }, titles));
        QVERIFY(out.summary.ok);
        QCOMPARE(out.error(0), QString());
        QCOMPARE(out.field(0, journal_texts::kPremium), t);
        for (std::size_t i = 0; i < kAllCoefficients.size(); ++i)
            QCOMPARE(out.field(0, shortName(kAllCoefficients[i]), i == 2 ? 1 : 0), typed[qsizetype(i)]);
    }

    // A bad row between two good ones: it says why, in the windows' words
    // or naming its column, and the others are still priced.
    void badRows_data()
    {
        QTest::addColumn<QStringList>("changes"); // pairs of title and text
        QTest::addColumn<QString>("error");

        const auto column = [](const QString &title, const QString &why) {
            return batch_texts::kColumnProblem.arg(title, why);
        };
        QTest::newRow("unknown region")
            << QStringList { u"kt1"_s, u"Марс"_s } << column(u"kt1"_s, u"нет региона «Марс»"_s);
        QTest::newRow("town of another region")
            << QStringList { u"kt2"_s, u"Московская область"_s }
            << column(u"kt2"_s, u"в регионе «Москва» нет пункта «Московская область»"_s);
        QTest::newRow("town without a region") << QStringList { u"kt1"_s, QString() }
                                               << column(u"kt2"_s, u"пункт «Москва» указан без региона"_s);
        QTest::newRow("class out of range")
            << QStringList { u"kbm2"_s, u"14"_s } << column(u"kbm2"_s, u"класса «14» нет (M, 0 … 13)"_s);
        QTest::newRow("payouts out of range") << QStringList { u"kbm1"_s, u"Продление"_s, u"kbm3"_s,
            u"5"_s } << column(u"kbm3"_s, u"число выплат «5» не из списка (0 … 4)"_s);
        QTest::newRow("unknown category") << QStringList { u"tb"_s,
            u"Самолет"_s } << column(u"tb"_s, u"нет категории «Самолет» (код от 1 до 16 или название)"_s);
        QTest::newRow("category code out of range") << QStringList { u"tb"_s,
            u"17"_s } << column(u"tb"_s, u"нет категории «17» (код от 1 до 16 или название)"_s);
        QTest::newRow("no category") << QStringList { u"tb"_s, QString() }
                                     << column(u"tb"_s, u"не заполнен"_s);
        QTest::newRow("unknown power row")
            << QStringList { u"km"_s, u"9"_s } << column(u"km"_s, u"значения «9» нет в списке"_s);
        QTest::newRow("unknown period") << QStringList { u"ks1"_s, u"13 месяцев"_s }
                                        << column(u"ks1"_s, u"значения «13 месяцев» нет в списке"_s);
        QTest::newRow("not yes or no") << QStringList { u"tb2"_s, u"может быть"_s }
                                       << column(u"tb2"_s, u"«может быть» — не «1», «0», «да» или «нет»"_s);
        QTest::newRow("abroad, but registered in Russia")
            << QStringList { u"tb2"_s, u"да"_s }
            << column(u"t2"_s, u"регистрация не совпадает со столбцом «tb2» (иностранная регистрация)"_s);
        QTest::newRow("term of a skipped step 8") << QStringList { u"kp0"_s, u"1"_s, u"kp1"_s,
            u"2 месяца"_s } << column(u"kp1"_s, u"срок указан, а в столбце «kp0» шаг 8 пропущен"_s);
        QTest::newRow("date that is none") << QStringList { u"Дата"_s, u"вчера"_s }
                                           << column(u"Дата"_s, u"«вчера» — не дата (ДД.ММ.ГГГГ ЧЧ:ММ)"_s);
        QTest::newRow("owner not chosen")
            << QStringList { u"tb"_s, u"1"_s, u"t1"_s, QString() } << column(u"t1"_s, u"не заполнен"_s);
        // What the windows refuse, in their words.
        QTest::newRow("no territory")
            << QStringList { u"kt1"_s, QString(), u"kt2"_s, QString() } << u"Не установлен коэффициент КТ"_s;
        QTest::newRow("renewal without payouts")
            << QStringList { u"kbm1"_s, u"11"_s } << u"Не установлен коэффициент КБМ"_s;
        QTest::newRow("no period") << QStringList { u"ks1"_s, QString() }
                                   << u"Не установлен коэффициент КС"_s;
        QTest::newRow("abroad without a term") << QStringList { u"tb2"_s, u"1"_s, u"t2"_s,
            u"Иностранная регистрация"_s } << u"Не установлен коэффициент КП"_s;
        QTest::newRow("step 8 not skipped, no term")
            << QStringList { u"kp0"_s, u"нет"_s } << u"Не установлен коэффициент КП"_s;
        QTest::newRow("typed coefficient not a number")
            << QStringList { u"КТ"_s, u"1,8x"_s } << u"Неверное значение коэффициента КТ"_s;
        QTest::newRow("typed coefficient negative")
            << QStringList { u"КМ"_s, u"-1"_s } << u"Неверное значение коэффициента КМ"_s;
        // The record itself.
        QTest::newRow("missing column")
            << QStringList { u"*cut"_s, u"20"_s } << u"в строке нет столбца «t3»: полей 20 из 40"_s;
        QTest::newRow("column too many")
            << QStringList { u"*add"_s, u"1"_s } << u"в строке полей 41, а в заголовке 40"_s;
        QTest::newRow("empty line") << QStringList { u"*empty"_s, QString() } << u"пустая строка"_s;
        QTest::newRow("line too long")
            << QStringList { u"Примечание"_s, QString(70 * 1024, u'x') } << u"строка длиннее 64 КБ"_s;
    }

    void badRows()
    {
        QFETCH(QStringList, changes);
        QFETCH(QString, error);

        const QStringList good = exampleRow();
        QStringList bad = good;
        // A Т the file held is not the row's when the row cannot be priced.
        bad[columnOf(journal_texts::kPremium)] = u"1000"_s;
        for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
            const QString &title = changes[i];
            if (title == u"*cut"_s)
                bad = bad.mid(0, changes[i + 1].toInt());
            else if (title == u"*add"_s)
                bad << changes[i + 1];
            else if (title == u"*empty"_s)
                bad = QStringList(bad.size(), QString());
            else
                bad[columnOf(title)] = changes[i + 1];
        }
        const Priced out = priced(listOf({ good, bad, good }));
        QVERIFY(out.summary.ok);
        QCOMPARE(out.records.size(), std::size_t(3));
        QCOMPARE(out.error(1), error);
        QCOMPARE(out.field(1, journal_texts::kPremium), QString());
        for (std::size_t row : { std::size_t(0), std::size_t(2) }) {
            QCOMPARE(out.error(row), QString());
            QCOMPARE(out.field(row, journal_texts::kPremium), u"4356"_s);
        }
        QCOMPARE(out.summary.rows, 3);
        QCOMPARE(out.summary.failed, 1);
        QCOMPARE(out.summary.total, u"8712"_s);
    }

    // What Russian spreadsheets save: Windows-1251, two-digit years, the
    // columns in another order, some dropped, one of the user's own, and
    // blanks trimmed from the texts.
    void listFromASpreadsheet()
    {
        const QStringList titles { u"Гос. номер"_s, u"Т, руб."_s, u"ks1"_s, u"kt2"_s, u"kt1"_s, u"Дата"_s,
            u"tb"_s, u"t1"_s };
        const QStringList row { u"А123ВС77"_s, QString(), u"10 месяцев и более"_s, u"москва"_s, u"Москва"_s,
            u"07.12.26 22:55"_s, u"Легковой (В), физическое лицо"_s, u"физическое лицо"_s };
        QStringEncoder to1251("windows-1251");
        const Priced out = priced(to1251(QString::fromUtf8(listOf({ row }, titles))));
        QVERIFY(out.summary.ok);
        QCOMPARE(out.error(0), QString());
        QCOMPARE(out.header.titles().mid(0, titles.size()), titles);
        QCOMPARE(out.header.titles().last(), batch_texts::kErrorTitle);
        QCOMPARE(out.field(0, u"Гос. номер"_s), u"А123ВС77"_s);
        QCOMPARE(out.field(0, u"Дата"_s), u"07.12.2026 22:55"_s);
        // The output is the journal's CSV: it goes into the journal as it is.
        const std::optional<JournalEntry> entry = entryOfCsvRecord(out.header, out.records[0]);
        QVERIFY(entry);
        QCOMPARE(entry->inputs.category, u"3"_s);
        QCOMPARE(entry->inputs.period, u"10 месяцев и более "_s);
        // The first contract of an individual with the first rows of steps
        // 4 to 6: ТБ 1980 × КТ 2 × КВС 1,8 × КМ 0,6.
        QCOMPARE(entry->t, u"4276,8"_s);
    }

    void notAList()
    {
        const Priced out = priced("Марка;Модель\r\nВАЗ;2107\r\n");
        QVERIFY(!out.summary.ok);
        QCOMPARE(out.summary.error, batch_texts::kNotAList.arg(u"список"_s));
    }

    // The real program, as a user runs it: no display, the template, the
    // list, the journal.
    void commandLine()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.insert(u"XDG_DATA_HOME"_s, dir.filePath(u"data"_s));
        const auto run = [&](const QStringList &arguments, int exitCode) {
            QProcess karvo;
            karvo.setProcessEnvironment(environment);
            karvo.setWorkingDirectory(dir.path());
            karvo.start(u"" KARVO_PATH ""_s, arguments);
            const bool ended = karvo.waitForFinished(60000);
            const QString err = QString::fromUtf8(karvo.readAllStandardError());
            if (!ended || karvo.exitStatus() != QProcess::NormalExit || karvo.exitCode() != exitCode)
                qWarning().noquote() << arguments << karvo.exitCode() << err;
            return ended && karvo.exitCode() == exitCode ? err : u"exit code"_s;
        };
        QCOMPARE(run({ u"--calculate-template"_s, u"list.csv"_s }, 0), QString());
        QCOMPARE(run({ u"--calculate"_s, u"list.csv"_s, u"priced.csv"_s }, 0),
            batch_texts::kSummary.arg(5).arg(0).arg(u"16207,9965"_s) + u'\n');

        QFile list(dir.filePath(u"list.csv"_s));
        QVERIFY(list.open(QIODevice::Append));
        list.write(u";;;;;;;3;Марс\r\n"_s.toUtf8());
        list.close();
        QCOMPARE(run({ u"--calculate"_s, u"list.csv"_s, u"priced.csv"_s }, 1),
            batch_texts::kSummary.arg(6).arg(1).arg(u"16207,9965"_s) + u'\n');
        QCOMPARE(run({ u"--import-journal"_s, u"priced.csv"_s }, 0),
            u"karvo: "_s + journal_texts::kRefusedRows.arg(1) + u'\n');

        QCOMPARE(run({ u"--calculate"_s, u"list.csv"_s }, 2), batch_texts::kTwoFiles.arg(u"--calculate"_s));
        QCOMPARE(run({ u"--calculate"_s, u"list.csv"_s, u"a.csv"_s, u"b.csv"_s }, 2),
            command_line_texts::kUnknownOption.arg(u"karvo"_s, u"b.csv"_s));
        QCOMPARE(run({ u"--calculate"_s, u"missing.csv"_s, u"a.csv"_s }, 1).startsWith(u"karvo: "_s), true);
        QVERIFY(!QFile::exists(dir.filePath(u"a.csv"_s)));
    }
};

QTEST_GUILESS_MAIN(TestBatch)
#include "tst_batch.moc"
