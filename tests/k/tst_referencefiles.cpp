// The reference files as shipped in bin/k. The notes and the help file are
// prose, but their tables must say what the program computes: every value row
// they print is read back and compared with the tariff model.

#include "ChmDirectory.h"

#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/PremiumFormula.h"
#include "model/TermAndViolation.h"
#include "model/TerritoryTable.h"
#include "notes/NoteLinks.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTest>

#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

Q_DECLARE_METATYPE(karvo::Note)
Q_DECLARE_METATYPE(karvo::Coefficient)

namespace {

const QDir kProgramDir(QStringLiteral(KARVO_PROGRAM_DIR));
const QDir kHelpSources(QStringLiteral(KARVO_HELP_SOURCES));
// The copies of the sources that the build prepared and compiled into 739.chm.
const QDir kHelpCompiledSources(QStringLiteral(KARVO_HELP_COMPILED_SOURCES));

// The file's text, or a null string when it is missing or not valid UTF-8.
QString readUtf8(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(file.readAll());
    return decoder.hasError() ? QString() : text;
}

QString noteText(Note note)
{
    return readUtf8(kProgramDir.filePath(noteFile(note)));
}

// A table row of a note: its columns are separated by two blanks or more.
QStringList columnsOf(const QString &line)
{
    static const QRegularExpression gap(u"\\s{2,}"_s);
    return line.trimmed().split(gap, Qt::SkipEmptyParts);
}

// The columns of the first line whose first column is `key`.
QStringList rowOf(const QString &note, const QString &key)
{
    for (const QString &line : note.split(u'\n')) {
        const QStringList columns = columnsOf(line);
        if (!columns.isEmpty() && columns.first() == key)
            return columns;
    }
    return {};
}

// An expected row: the first column is the key, the last the value, and every
// text between them must appear somewhere in the row.
using ExpectedRows = QList<QStringList>;

QString numberOf(const QString &kilowatts)
{
    return kilowatts.chopped(QStringLiteral(" кВт").size());
}

QString stripTags(QString html)
{
    static const QRegularExpression tag(u"<[^>]*>"_s);
    return html.remove(tag).replace(u"&nbsp;"_s, u" "_s).simplified();
}

QStringList hhpFiles()
{
    const QString hhp = readUtf8(kHelpSources.filePath(u"739.hhp"_s));
    const qsizetype start = hhp.indexOf(u"[FILES]"_s);
    if (start < 0)
        return {};
    QStringList files;
    for (const QString &line : hhp.mid(start).split(u'\n').mid(1)) {
        if (line.startsWith(u'['))
            break;
        if (!line.trimmed().isEmpty())
            files << line.trimmed();
    }
    return files;
}

} // namespace

class TestReferenceFiles : public QObject
{
    Q_OBJECT

private slots:
    void notesAreShippedAsPlainText_data();
    void notesAreShippedAsPlainText();
    void noteTablesMatchTheModel_data();
    void noteTablesMatchTheModel();
    void territoryExamplesMatchTheTable();
    void helpTerritoryTableMatchesTheModel();
    void helpFileIsACompiledHelpWithEveryPage();
    void helpSourcesAreListedAndLinked();
    void helpPageTitlesAreCompiledAsText();
    void helpFormulasComputeWhatTheProgramComputes();
    void helpBaseTariffsMatchTheModel();
    void helpExamplesAddUp();
};

void TestReferenceFiles::notesAreShippedAsPlainText_data()
{
    QTest::addColumn<Note>("note");
    QTest::addColumn<Coefficient>("coefficient");
    QTest::newRow("tb") << Note::Tb << Coefficient::Tb;
    QTest::newRow("kt") << Note::Kt << Coefficient::Kt;
    QTest::newRow("kbm") << Note::Kbm << Coefficient::Kbm;
    QTest::newRow("ko") << Note::Ko << Coefficient::Ko;
    QTest::newRow("kvs") << Note::Kvs << Coefficient::Kvs;
    QTest::newRow("km") << Note::Km << Coefficient::Km;
    QTest::newRow("ks") << Note::Ks << Coefficient::Ks;
    QTest::newRow("kp") << Note::Kp << Coefficient::Kp;
}

void TestReferenceFiles::notesAreShippedAsPlainText()
{
    QFETCH(Note, note);
    QFETCH(Coefficient, coefficient);

    // The very file the step's "Примечание" opens.
    QVERIFY2(QFile::exists(kProgramDir.filePath(noteFile(note))), qPrintable(noteFile(note)));
    const QString text = noteText(note);
    QVERIFY2(!text.isNull(), "not valid UTF-8");
    QVERIFY(!text.startsWith(QChar(0xfeff)));

    // The title names the coefficient of the step.
    QVERIFY2(text.startsWith(shortName(coefficient) + u" — "_s), qPrintable(text.left(60)));

    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString where = u"line %1"_s.arg(i + 1);
        QVERIFY2(lines[i].toUcs4().size() <= 80, qPrintable(where + u" is longer than 80 columns"_s));
        QVERIFY2(!lines[i].contains(u'\t') && !lines[i].contains(u'\r'), qPrintable(where));
    }
}

void TestReferenceFiles::noteTablesMatchTheModel_data()
{
    QTest::addColumn<Note>("note");
    QTest::addColumn<ExpectedRows>("rows");

    ExpectedRows tb;
    int row = 1;
    for (const BaseTariff &tariff : baseTariffs())
        tb << QStringList { QString::number(row++), QString::number(tariff.tb) };
    QTest::newRow("tb: the sixteen categories") << Note::Tb << tb;

    // Class, its КБМ, then the class after 0 … 4 payouts: the whole row.
    ExpectedRows kbm;
    for (const QString &cls : bonusMalusClasses()) {
        QStringList expected { cls, coefficientOfClass(cls).value_or(u"?"_s) };
        for (const QString &payouts : payoutCounts())
            expected << classAfterTerm(cls, payouts).value_or(u"?"_s);
        kbm << expected;
    }
    QTest::newRow("kbm: classes and moves") << Note::Kbm << kbm;

    ExpectedRows kvs;
    for (const KvsRow &r : kvsRows())
        kvs << QStringList { r.item, r.kvs };
    QTest::newRow("kvs") << Note::Kvs << kvs;

    // The kilowatts are the figures the program shows beside the list.
    ExpectedRows km;
    for (const KmRow &r : kmRows()) {
        QStringList expected { r.item, numberOf(kilowattText(r.firstFigure)) };
        if (r.secondFigure != u"0"_s)
            expected << numberOf(kilowattText(r.secondFigure));
        km << (expected << r.km);
    }
    QTest::newRow("km: with kilowatts") << Note::Km << km;

    ExpectedRows ks;
    for (const KsRow &r : ksRows())
        ks << QStringList { r.period.trimmed(), r.ks };
    QTest::newRow("ks") << Note::Ks << ks;

    ExpectedRows kp;
    for (const TermRow &r : kpTermTable())
        kp << QStringList { r.term, r.kp };
    QTest::newRow("kp: terms") << Note::Kp << kp;
}

void TestReferenceFiles::noteTablesMatchTheModel()
{
    QFETCH(Note, note);
    QFETCH(ExpectedRows, rows);

    const QString text = noteText(note);
    QVERIFY(!text.isEmpty());
    for (const QStringList &expected : rows) {
        const QStringList actual = rowOf(text, expected.first());
        QVERIFY2(!actual.isEmpty(), qPrintable(u"no row for "_s + expected.first()));
        if (note == Note::Kbm) {
            QCOMPARE(actual, expected);
            continue;
        }
        QCOMPARE(actual.last(), expected.last());
        const QString joined = actual.join(u' ');
        for (const QString &part : expected.mid(1, expected.size() - 2))
            QVERIFY2(joined.contains(part), qPrintable(joined + u" lacks "_s + part));
    }
}

void TestReferenceFiles::territoryExamplesMatchTheTable()
{
    // Examples are indented "town group  КТ17  КТ18" lines under a line that
    // names the region.
    static const QRegularExpression number(u"^\\d+(,\\d+)?$"_s);
    QString region;
    int examples = 0;
    for (const QString &line : noteText(Note::Kt).split(u'\n')) {
        const QStringList columns = columnsOf(line);
        if (columns.size() == 1)
            region = columns.first();
        if (columns.size() != 3 || !number.match(columns[1]).hasMatch()
            || !number.match(columns[2]).hasMatch())
            continue;
        const QString where = region + u" / "_s + columns[0];
        QVERIFY2(TerritoryTable::townGroups(region).has_value(), qPrintable(where));
        QCOMPARE(
            TerritoryTable::coefficient(region, columns[0], TerritoryColumn::Vehicles).value_or(u"?"_s), columns[1]);
        QCOMPARE(
            TerritoryTable::coefficient(region, columns[0], TerritoryColumn::Tractors).value_or(u"?"_s), columns[2]);
        ++examples;
    }
    QVERIFY2(examples >= 10, "the note lost its examples");
}

void TestReferenceFiles::helpTerritoryTableMatchesTheModel()
{
    // The help prints all 261 rows, written from the decree apart from the
    // program's table: region headings, then "town group, КТ, КТ" rows in
    // list order. Each is looked up as step 2 looks it up.
    const QString html = readUtf8(kHelpSources.filePath(u"territory.html"_s));
    static const QRegularExpression line(
        uR"re(<tr class="region"><th colspan="3">(.*?)</th></tr>|<tr><td>(.*?)</td><td class="kt">(.*?)</td><td class="kt">(.*?)</td></tr>)re"_s);
    QStringList regions;
    QMap<QString, QStringList> towns;
    int rows = 0;
    for (const auto &m : line.globalMatch(html)) {
        if (!m.captured(1).isEmpty()) {
            regions << m.captured(1);
            continue;
        }
        QVERIFY(!regions.isEmpty());
        const QString region = regions.last();
        const QString town = m.captured(2);
        towns[region] << town;
        const QString where = region + u" / "_s + town;
        QCOMPARE(
            TerritoryTable::coefficient(region, town, TerritoryColumn::Vehicles).value_or(where), m.captured(3));
        QCOMPARE(
            TerritoryTable::coefficient(region, town, TerritoryColumn::Tractors).value_or(where), m.captured(4));
        ++rows;
    }
    QCOMPARE(rows, 261);
    QCOMPARE(regions, TerritoryTable::regions());
    for (const QString &region : std::as_const(regions))
        QCOMPARE(TerritoryTable::townGroups(region).value_or(QStringList()), towns.value(region));
}

void TestReferenceFiles::helpFileIsACompiledHelpWithEveryPage()
{
    QFile file(kProgramDir.filePath(noteFile(Note::Decree)));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("ITSF"));

    const auto directory = chmDirectory(bytes);
    QVERIFY2(directory.has_value(), "not a whole compiled help file");
    QVERIFY(directory->contains(u"/#SYSTEM"_s));

    const QStringList files = hhpFiles() << u"739.hhc"_s << u"739.hhk"_s;
    QVERIFY(files.contains(u"index.html"_s));
    for (const QString &name : files) {
        const QString stored = u"/"_s + name;
        QVERIFY2(directory->contains(stored), qPrintable(stored));
        QVERIFY2(directory->value(stored) > 0, qPrintable(stored + u" is empty"_s));
    }
}

void TestReferenceFiles::helpSourcesAreListedAndLinked()
{
    const QStringList listed = hhpFiles();
    const QStringList pages = kHelpSources.entryList({ u"*.html"_s, u"*.htm"_s }, QDir::Files);
    QVERIFY(!pages.isEmpty());
    for (const QString &page : pages)
        QVERIFY2(listed.contains(page), qPrintable(page + u" is not in 739.hhp"_s));
    for (const QString &name : listed)
        QVERIFY2(kHelpSources.exists(name), qPrintable(name + u" is listed but missing"_s));

    // Every link of the pages, the contents and the index lands on a listed
    // page, and on an anchor that page has.
    std::map<QString, QString> texts;
    const QStringList linking = QStringList(pages) << u"739.hhc"_s << u"739.hhk"_s;
    for (const QString &name : linking) {
        texts[name] = readUtf8(kHelpSources.filePath(name));
        QVERIFY2(!texts[name].isEmpty(), qPrintable(name + u" is empty or not UTF-8"_s));
    }
    static const QRegularExpression charset(
        u"<meta [^>]*charset=utf-8"_s, QRegularExpression::CaseInsensitiveOption);
    for (const QString &page : pages)
        QVERIFY2(charset.match(texts[page]).hasMatch(), qPrintable(page + u" has no charset"_s));

    static const QRegularExpression link(uR"((?:href|name="Local" value)="([^"#:]*)(?:#([^"]+))?")"_s);
    for (const auto &[name, text] : texts) {
        for (const auto &m : link.globalMatch(text)) {
            const QString target = m.captured(1).isEmpty() ? name : m.captured(1);
            const QString where = name + u" → "_s + m.captured(0);
            QVERIFY2(listed.contains(target), qPrintable(where));
            const QString anchor = m.captured(2);
            if (anchor.isEmpty() || !texts.count(target))
                continue;
            const QString needle = u"name=\"%1\""_s.arg(anchor);
            QVERIFY2(texts[target].contains(needle) || texts[target].contains(u"id=\"%1\""_s.arg(anchor)),
                qPrintable(where));
        }
    }
}

void TestReferenceFiles::helpPageTitlesAreCompiledAsText()
{
    // kchmviewer reads the compiled pages in windows-1251, the code page of
    // the help's language, and shows a page's title on its tab as it stands:
    // a title written as character references reads "&#1057;…" there.
    static const QRegularExpression title(u"<title>([^<]*)</title>"_s);
    const QStringList pages = kHelpSources.entryList({ u"*.html"_s, u"*.htm"_s }, QDir::Files);
    QVERIFY(!pages.isEmpty());
    for (const QString &page : pages) {
        const QString expected = title.match(readUtf8(kHelpSources.filePath(page))).captured(1);
        QVERIFY2(!expected.isEmpty(), qPrintable(page + u" has no title"_s));

        QFile file(kHelpCompiledSources.filePath(page));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QStringDecoder windows1251("windows-1251");
        QVERIFY(windows1251.isValid());
        const QString compiled = windows1251(file.readAll());
        QVERIFY2(compiled.contains(u"charset=windows-1251"_s, Qt::CaseInsensitive), qPrintable(page));
        QCOMPARE(title.match(compiled).captured(1), expected);
    }
}

void TestReferenceFiles::helpFormulasComputeWhatTheProgramComputes()
{
    // Each row of the structure table, fed with distinct prime values, must
    // give what the program's formula gives: a factor the help adds, drops or
    // misnames changes the product.
    const std::map<QString, QString> values = {
        { u"ТБ"_s, u"23"_s },
        { u"КТ"_s, u"2"_s },
        { u"КБМ"_s, u"3"_s },
        { u"КО"_s, u"5"_s },
        { u"КВС"_s, u"7"_s },
        { u"КМ"_s, u"11"_s },
        { u"КС"_s, u"13"_s },
        { u"КП"_s, u"17"_s },
        { u"КН"_s, u"19"_s },
    };
    const std::map<QString, RegistrationCase> cases = {
        { u"russia"_s, RegistrationCase::RegisteredInRussia },
        { u"travel"_s, RegistrationCase::TravellingToRegistration },
        { u"foreign"_s, RegistrationCase::ForeignVehicle },
    };
    const std::map<QString, QList<OwnerKind>> owners = {
        { u"individual"_s, { OwnerKind::Individual } },
        { u"legal"_s, { OwnerKind::LegalEntity } },
        { u"any"_s, { OwnerKind::Individual, OwnerKind::LegalEntity } },
    };
    const std::map<QString, VehicleGroup> groups = { { u"b"_s, VehicleGroup::GroupB },
        { u"other"_s, VehicleGroup::GroupOther }, { u"trailer"_s, VehicleGroup::GroupTrailer } };

    const QString html = readUtf8(kHelpSources.filePath(u"structure.html"_s));
    static const QRegularExpression row(
        uR"re(<tr id="(\w+)-(\w+)-(\w+)">.*?<td class="formula">(.*?)</td>)re"_s,
        QRegularExpression::DotMatchesEverythingOption);
    QSet<QString> seen;
    for (const auto &m : row.globalMatch(html)) {
        const QString id = m.captured(1) + u'-' + m.captured(2) + u'-' + m.captured(3);
        QVERIFY2(cases.count(m.captured(1)) && owners.count(m.captured(2)) && groups.count(m.captured(3)),
            qPrintable(id));
        seen.insert(id);

        PremiumSheet sheet;
        for (Coefficient c : kAllCoefficients)
            sheet.setCoefficient(c, values.at(shortName(c)));
        double expected = 1.0;
        for (const QString &factor : stripTags(m.captured(4)).split(u'×')) {
            const QString name = factor.trimmed();
            const auto value = Money::parse(values.count(name) ? values.at(name) : name);
            QVERIFY2(value.has_value(), qPrintable(id + u": "_s + name));
            expected *= value->toDouble();
        }
        sheet.setRegistrationCase(cases.at(m.captured(1)));
        sheet.setVehicleGroup(groups.at(m.captured(3)));
        for (OwnerKind owner : owners.at(m.captured(2))) {
            sheet.setOwnerKind(owner);
            const PremiumOutcome outcome = evaluatePremium(sheet);
            QVERIFY2(std::holds_alternative<Money>(outcome), qPrintable(id));
            QVERIFY2(qAbs(std::get<Money>(outcome).toDouble() - expected) < 0.001,
                qPrintable(id + u": the help says "_s + QString::number(expected, 'f', 4)));
        }
    }
    QCOMPARE(seen.size(), 15);
}

void TestReferenceFiles::helpBaseTariffsMatchTheModel()
{
    const QString html = readUtf8(kHelpSources.filePath(u"tariffs.html"_s));
    int row = 1;
    for (const BaseTariff &tariff : baseTariffs()) {
        const QRegularExpression cell(u"<tr id=\"category-%1\">.*?<td class=\"tb\">(\\d+)</td>"_s.arg(row));
        const auto m = cell.match(html);
        QVERIFY2(m.hasMatch(), qPrintable(u"category %1"_s.arg(row)));
        QCOMPARE(m.captured(1).toInt(), tariff.tb);
        ++row;
    }
}

void TestReferenceFiles::helpExamplesAddUp()
{
    // Worked out as the program multiplies: left to right, four decimals.
    const QString html = readUtf8(kHelpSources.filePath(u"examples.html"_s));
    static const QRegularExpression example(u"<p class=\"formula\">Т = ([^<=]*)=\\s*([\\d,]+) руб\\.</p>"_s);
    int examples = 0;
    for (const auto &m : example.globalMatch(html)) {
        Money product = Money::fromInt(1);
        for (const QString &factor : m.captured(1).split(u'×')) {
            const auto value = Money::parse(factor);
            QVERIFY2(value.has_value(), qPrintable(m.captured(0)));
            product = product.times(*value).value_or(Money());
        }
        QCOMPARE(product.toText(), m.captured(2));
        ++examples;
    }
    QCOMPARE(examples, 7);
}

QTEST_GUILESS_MAIN(TestReferenceFiles)
#include "tst_referencefiles.moc"
