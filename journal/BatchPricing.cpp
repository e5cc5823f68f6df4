#include "journal/BatchPricing.h"

#include "journal/BatchTexts.h"
#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"
#include "journal/JournalEntry.h"
#include "journal/JournalTexts.h"
#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/PremiumFormula.h"
#include "model/StepChoices.h"
#include "model/StepRules.h"
#include "model/TermAndViolation.h"
#include "model/TerritoryTable.h"

#include <QStringList>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = batch_texts;

// The title of a choice column: its karvo.ini key, as the journal's CSV has it.
QString titleOf(QString StoredInputs::*field)
{
    for (const auto &[title, member] : journalInputFields()) {
        if (member == field)
            return title;
    }
    return {};
}

// How a text is matched when it is not exactly the list's: blanks a
// spreadsheet trimmed or doubled, letter case, and Latin letters typed for
// their Cyrillic look-alikes ("(B)" and "(В)", "M" and "М").
QString matchable(const QString &text)
{
    return searchFolded(text.simplified());
}

// The position of `text` among `items`: exactly, then as matchable(); -1.
int indexIn(const QStringList &items, const QString &text)
{
    if (const int exact = int(items.indexOf(text)); exact >= 0)
        return exact;
    const QString wanted = matchable(text);
    for (int i = 0; i < items.size(); ++i) {
        if (matchable(items[i]) == wanted)
            return i;
    }
    return -1;
}

// A row index of a list: its zero-based position as the journal keeps it, or
// the item's text.
int rowIn(const QStringList &items, const QString &text)
{
    bool number = false;
    const int row = text.trimmed().toInt(&number);
    if (number)
        return row >= 0 && row < items.size() ? row : -1;
    return indexIn(items, text);
}

// The row's fields by title, and the first problem met.
class RowReader
{
public:
    RowReader(const CsvHeader &header, const std::vector<int> &inputColumns, const CsvRecord &record)
        : m_header(header)
        , m_inputColumns(inputColumns)
        , m_record(record)
    {
    }

    QString text(const QString &title, int occurrence = 0) const
    {
        return m_header.field(m_record, title, occurrence);
    }
    // Found by the position the pricer looked up once for the whole file.
    QString text(QString StoredInputs::*field) const
    {
        const auto &fields = journalInputFields();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].second == field) {
                const int column = m_inputColumns[i];
                return column >= 0 ? csvFieldText(m_record.fields[column]) : QString();
            }
        }
        return {};
    }

    bool failed() const { return !m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    // Records the first problem only: the user fixes a row from its start.
    void fail(const QString &title, const QString &why)
    {
        if (m_error.isEmpty())
            m_error = texts::kColumnProblem.arg(title, why);
    }

    // A code of `codes`, or the text of the same position in one of `names`
    // lists; nothing for an empty field. Unknown: the column's problem.
    std::optional<int> choice(QString StoredInputs::*field, const QStringList &codes,
        std::initializer_list<QStringList> names, const QString &unknown = texts::kUnknownChoice)
    {
        const QString value = text(field);
        if (value.trimmed().isEmpty())
            return std::nullopt;
        if (const int code = int(codes.indexOf(value.trimmed())); code >= 0)
            return code;
        for (const QStringList &list : names) {
            if (const int found = indexIn(list, value); found >= 0)
                return found;
        }
        fail(titleOf(field), unknown.arg(value));
        return std::nullopt;
    }

    // The item of `items` the column names, written as the list writes it;
    // empty for an empty field. Unknown: the column's problem.
    QString listed(const QString &title, const QStringList &items, const QString &unknown)
    {
        const QString value = text(title);
        if (value.trimmed().isEmpty())
            return {};
        if (const int found = indexIn(items, value); found >= 0)
            return items[found];
        fail(title, unknown.arg(value));
        return {};
    }

    std::optional<bool> yesNo(QString StoredInputs::*field)
    {
        const std::optional<int> answer
            = choice(field, { u"0"_s, u"1"_s }, { { texts::kNo, texts::kYes } }, texts::kNotYesNo);
        if (!answer)
            return std::nullopt;
        return *answer == 1;
    }

private:
    const CsvHeader &m_header;
    const std::vector<int> &m_inputColumns;
    const CsvRecord &m_record;
    QString m_error;
};

QStringList categoryNames()
{
    QStringList names;
    for (int row = 1; row <= kCategoryCount; ++row)
        names << categoryText(QString::number(row));
    return names;
}

QStringList categoryCaptions()
{
    QStringList captions;
    for (const BaseTariff &tariff : baseTariffs())
        captions << tariff.caption;
    return captions;
}

template <class Rows, class Text> QStringList listOf(const Rows &rows, Text text)
{
    QStringList list;
    for (const auto &row : rows)
        list << std::invoke(text, row);
    return list;
}

// The lists a row's texts are looked up in, made once for every row.
struct Lists
{
    QStringList categoryNames = karvo::categoryNames();
    QStringList categoryCaptions = karvo::categoryCaptions();
    QStringList regions = TerritoryTable::regions();
    QStringList classes = bonusMalusClasses();
    QStringList payouts = payoutCounts();
    QStringList drivers = listOf(koChoices(), &KoChoice::caption);
    QStringList kvs = listOf(kvsRows(), &KvsRow::item);
    QStringList km = listOf(kmRows(), &KmRow::item);
    QStringList periods = listOf(ksRows(), &KsRow::period);
    QStringList terms = listOf(kpTermTable(), &TermRow::term);
    // The windows' captions of a choice, in the order of its codes.
    QStringList registrationCaptions { registrationCaption(RegistrationCase::RegisteredInRussia),
        registrationCaption(RegistrationCase::TravellingToRegistration),
        registrationCaption(RegistrationCase::ForeignVehicle) };
    QStringList ownerCaptions { ownerCaption(OwnerKind::Individual), ownerCaption(OwnerKind::LegalEntity) };
    QStringList contractCaptions { contractCaption(ContractKind::FirstTime),
        contractCaption(ContractKind::Renewal) };
};

const Lists &lists()
{
    static const Lists made;
    return made;
}

} // namespace

QString registrationText(RegistrationCase registration)
{
    switch (registration) {
    case RegistrationCase::RegisteredInRussia:
        return texts::kRegisteredInRussia;
    case RegistrationCase::TravellingToRegistration:
        return texts::kTravellingToRegistration;
    case RegistrationCase::ForeignVehicle:
        return journal_texts::kForeignRegistration;
    }
    return {};
}

QString vehicleGroupText(VehicleGroup group)
{
    switch (group) {
    case VehicleGroup::GroupB:
        return texts::kGroupB;
    case VehicleGroup::GroupOther:
        return texts::kGroupOther;
    case VehicleGroup::GroupTrailer:
        return texts::kGroupTrailer;
    }
    return {};
}

QString contractKindText(ContractKind kind)
{
    return kind == ContractKind::FirstTime ? texts::kFirstContract : texts::kRenewal;
}

QString driversText(DriversLimit drivers)
{
    return drivers == DriversLimit::Limited ? texts::kDriversLimited : texts::kDriversUnlimited;
}

BatchPricer::BatchPricer(const CsvHeader &header)
    : m_header(header)
{
    for (const auto &field : journalInputFields())
        m_inputColumns.push_back(header.indexOf(field.first));
}

bool BatchPricer::isList() const
{
    for (const auto &field : journalInputFields()) {
        if (m_header.contains(field.first))
            return true;
    }
    return false;
}

PricedRow BatchPricer::price(const CsvRecord &record) const
{
    PricedRow priced;
    switch (record.problem) {
    case CsvRecord::Problem::None:
        break;
    case CsvRecord::Problem::TooLong:
        priced.error = texts::kRecordTooLong.arg(kMaxCsvRecordBytes / 1024);
        return priced;
    case CsvRecord::Problem::OpenQuote:
        priced.error = texts::kOpenQuote;
        return priced;
    case CsvRecord::Problem::NotUtf8:
        priced.error = texts::kNotUtf8;
        return priced;
    }
    const qsizetype columns = m_header.titles().size();
    if (record.fields.size() < columns) {
        // One pass: a title from the file may hold "%2" itself.
        priced.error = texts::kMissingColumns.arg(m_header.titles()[record.fields.size()],
            QString::number(record.fields.size()), QString::number(columns));
        return priced;
    }
    if (record.fields.size() > columns) {
        priced.error = texts::kExtraFields.arg(record.fields.size()).arg(columns);
        return priced;
    }

    const Lists &list = lists();
    RowReader row(m_header, m_inputColumns, record);
    priced.note = row.text(journal_texts::kNote);
    const QString date = row.text(journal_texts::kDate);
    if (!date.trimmed().isEmpty()) {
        priced.time = csvTime(date);
        if (!priced.time.isValid())
            row.fail(journal_texts::kDate, texts::kNotADate.arg(date));
    }

    // Step 1.
    const QString categoryTitle = titleOf(&StoredInputs::category);
    const QString categoryValue = row.text(categoryTitle);
    int category = 0;
    if (categoryValue.trimmed().isEmpty()) {
        row.fail(categoryTitle, texts::kNotGiven);
    } else {
        bool number = false;
        category = categoryValue.trimmed().toInt(&number);
        if (!number) {
            category = indexIn(list.categoryNames, categoryValue) + 1;
            if (category == 0)
                category = indexIn(list.categoryCaptions, categoryValue) + 1;
        }
        if (category < 1 || category > kCategoryCount)
            row.fail(categoryTitle, texts::kUnknownCategory.arg(categoryValue));
    }
    const std::optional<bool> foreignFlag = row.yesNo(&StoredInputs::foreign);
    const std::optional<int> registration
        = row.choice(&StoredInputs::registration, { u"4"_s, u"5"_s, u"6"_s },
            { { texts::kRegisteredInRussia, texts::kTravellingToRegistration,
                  journal_texts::kForeignRegistration },
                list.registrationCaptions });
    const bool foreignRegistration = registration == int(RegistrationCase::ForeignVehicle);
    const bool foreign = foreignFlag.value_or(foreignRegistration);
    if (registration && foreignFlag && foreign != foreignRegistration)
        row.fail(titleOf(&StoredInputs::registration),
            texts::kForeignMismatch.arg(titleOf(&StoredInputs::foreign)));

    // Step 2.
    const QString regionTitle = titleOf(&StoredInputs::region);
    const QString townTitle = titleOf(&StoredInputs::townGroup);
    const QString regionValue = row.text(regionTitle);
    const QString townValue = row.text(townTitle);
    const QString region = row.listed(regionTitle, list.regions, texts::kUnknownRegion);
    QString town;
    if (!townValue.trimmed().isEmpty()) {
        if (regionValue.trimmed().isEmpty()) {
            row.fail(townTitle, texts::kTownWithoutRegion.arg(townValue));
        } else if (!region.isEmpty()) {
            const QStringList towns = *TerritoryTable::townGroups(region);
            if (const int found = indexIn(towns, townValue); found >= 0)
                town = towns[found];
            else
                row.fail(townTitle, texts::kTownOfAnotherRegion.arg(townValue, region));
        }
    }

    // Step 3.
    const std::optional<int> kind = row.choice(&StoredInputs::contractKind, { u"0"_s, u"11"_s },
        { { texts::kFirstContract, texts::kRenewal }, list.contractCaptions });
    const ContractKind contractKind = kind.value_or(0) == 0 ? ContractKind::FirstTime : ContractKind::Renewal;
    const QString startClass
        = row.listed(titleOf(&StoredInputs::startClass), list.classes, texts::kUnknownClass);
    const QString payouts = contractKind == ContractKind::Renewal
        ? row.listed(titleOf(&StoredInputs::payouts), list.payouts, texts::kUnknownPayouts)
        : QString();

    // Steps 4 to 7.
    const std::optional<int> drivers = row.choice(&StoredInputs::ko, { u"1"_s, u"2"_s },
        { { texts::kDriversLimited, texts::kDriversUnlimited }, list.drivers });
    const auto listRow
        = [&row](QString StoredInputs::*field, const QStringList &items) -> std::optional<int> {
        const QString value = row.text(field);
        if (value.trimmed().isEmpty())
            return std::nullopt;
        const int found = rowIn(items, value);
        if (found < 0) {
            row.fail(titleOf(field), texts::kUnknownChoice.arg(value));
            return std::nullopt;
        }
        return found;
    };
    const QStringList &kvsItems = list.kvs;
    const QStringList &kmItems = list.km;
    const std::optional<int> kvsRow = listRow(&StoredInputs::kvs, kvsItems);
    const std::optional<int> kmRow = listRow(&StoredInputs::km, kmItems);
    const QString period = row.listed(titleOf(&StoredInputs::period), list.periods, texts::kUnknownChoice);

    // Step 8.
    const std::optional<bool> skipFlag = row.yesNo(&StoredInputs::skipTerm);
    const QString termTitle = titleOf(&StoredInputs::term);
    const QString term = row.listed(termTitle, list.terms, texts::kUnknownChoice);
    if (!row.text(termTitle).trimmed().isEmpty() && skipFlag.value_or(false))
        row.fail(termTitle, texts::kTermWhileSkipped.arg(titleOf(&StoredInputs::skipTerm)));

    // Step 10.
    const std::optional<int> owner = row.choice(&StoredInputs::owner, { u"1"_s, u"2"_s },
        { { journal_texts::kIndividual, journal_texts::kLegalEntity }, list.ownerCaptions });
    const std::optional<int> group = row.choice(&StoredInputs::vehicleGroup, { u"7"_s, u"8"_s, u"9"_s },
        { { texts::kGroupB, texts::kGroupOther, texts::kGroupTrailer } });
    const std::optional<bool> reminder = row.yesNo(&StoredInputs::reminder);
    if (row.failed()) {
        priced.error = row.error();
        return priced;
    }

    // The coefficients typed into the windows, applied at their steps.
    std::array<QString, kAllCoefficients.size()> typed;
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i) {
        const QString title = shortName(kAllCoefficients[i]);
        // The journal's КБМ column and the coefficient share a title; the
        // coefficient is the later one.
        typed[i] = row.text(title, m_header.indexOf(title, 1) >= 0 ? 1 : 0).trimmed();
    }

    PremiumSheet sheet;
    const auto type = [&sheet, &typed](Coefficient coefficient) {
        if (const QString &text = typed[std::size_t(coefficient)]; !text.isEmpty())
            sheet.setCoefficient(coefficient, text);
    };
    const auto refused = [&sheet, &priced](int step) {
        priced.error = refusalToLeave(sheet, step);
        if (priced.error.isEmpty())
            return false;
        priced.calculation = sheet.value();
        return true;
    };

    startCalculation(sheet);
    QString startTime = row.text(&StoredInputs::startTime);
    if (startTime.isEmpty())
        startTime = (priced.time.isValid() ? priced.time : QDateTime::currentDateTime()).toString(u"HH:mm"_s);
    sheet.setText(SheetText::StartTime, startTime);
    sheet.setReminderWanted(reminder.value_or(false));
    selectCategory(sheet, category);
    setForeignRegistered(sheet, foreign);
    type(Coefficient::Tb);
    chooseKtColumn(sheet, territoryColumnFor(category));

    if (!region.isEmpty())
        selectRegion(sheet, region);
    if (!town.isEmpty())
        selectTownGroup(sheet, town);
    type(Coefficient::Kt);
    if (refused(2))
        return priced;

    selectContractKind(sheet, contractKind);
    if (!startClass.isEmpty()) {
        sheet.setText(SheetText::StartClass, startClass);
        applyStartClass(sheet);
    }
    if (contractKind == ContractKind::Renewal && !payouts.isEmpty()) {
        sheet.setText(SheetText::Payouts, payouts);
        applyPayouts(sheet);
    }
    type(Coefficient::Kbm);
    if (refused(3))
        return priced;

    if (drivers)
        chooseKo(sheet, *drivers);
    type(Coefficient::Ko);
    if (kvsRow)
        chooseKvs(sheet, kvsItems[*kvsRow]);
    type(Coefficient::Kvs);
    if (kmRow)
        chooseKm(sheet, kmItems[*kmRow]);
    type(Coefficient::Km);
    if (!period.isEmpty()) {
        sheet.setText(SheetText::Period, period);
        chooseKs(sheet, period);
    }
    type(Coefficient::Ks);
    if (refused(7))
        return priced;

    // A term asks for step 8 even where the vehicle's case skips it.
    const bool skip = skipFlag.value_or(term.isEmpty() && sheet.skipTerm());
    if (skip != sheet.skipTerm())
        setSkip(sheet, skip);
    if (!term.isEmpty())
        chooseTerm(sheet, term);
    type(Coefficient::Kp);
    if (refused(8))
        return priced;
    deriveKn(sheet, sheet.text(SheetText::Payouts));

    type(Coefficient::Kn);
    leaveStep9Forward(sheet);

    if (owner)
        sheet.setOwnerKind(OwnerKind(*owner + 1));
    if (registration && !foreign)
        sheet.setRegistrationCase(RegistrationCase(*registration));
    if (group)
        sheet.setVehicleGroup(VehicleGroup(*group));
    if (sheet.reminderWanted())
        sheet.setText(SheetText::ReminderDate, row.text(&StoredInputs::reminderDate));
    if (!sheet.canCompute()) {
        priced.error = texts::kColumnProblem.arg(titleOf(&StoredInputs::owner), texts::kNotGiven);
        priced.calculation = sheet.value();
        return priced;
    }
    priced.error = computePremium(sheet);
    priced.calculation = sheet.value();
    return priced;
}

QStringList listTexts(const Calculation &c, const QString &note)
{
    QHash<QString, QString> byTitle;
    const auto set = [&byTitle](QString StoredInputs::*field, const QString &text) {
        for (const auto &[title, member] : journalInputFields()) {
            if (member == field)
                byTitle.insert(title, text);
        }
    };
    set(&StoredInputs::category, categoryText(QString::number(c.category)));
    set(&StoredInputs::foreign, c.foreignRegistered ? texts::kYes : texts::kNo);
    set(&StoredInputs::region, c.region);
    set(&StoredInputs::townGroup, c.townGroup);
    set(&StoredInputs::contractKind, contractKindText(c.contractKind));
    set(&StoredInputs::startClass, c.startClass);
    if (c.contractKind == ContractKind::Renewal)
        set(&StoredInputs::payouts, c.payouts);
    set(&StoredInputs::ko, driversText(c.drivers));
    if (c.kvsRow >= 0 && c.kvsRow < int(kvsRows().size()))
        set(&StoredInputs::kvs, kvsRows()[std::size_t(c.kvsRow)].item);
    if (c.kmRow >= 0 && c.kmRow < int(kmRows().size()))
        set(&StoredInputs::km, kmRows()[std::size_t(c.kmRow)].item);
    set(&StoredInputs::period, c.period);
    set(&StoredInputs::term, c.term);
    if (c.owner != OwnerKind::Unset)
        set(&StoredInputs::owner, ownerText(c.owner == OwnerKind::LegalEntity ? u"2"_s : u"1"_s));
    set(&StoredInputs::registration, registrationText(c.registration));
    set(&StoredInputs::vehicleGroup, vehicleGroupText(c.group));
    byTitle.insert(journal_texts::kNote, note);
    QStringList fields;
    QHash<QString, int> seen;
    for (const QString &title : csvTitles())
        fields << (seen[title]++ == 0 ? byTitle.value(title) : QString());
    return fields;
}

} // namespace karvo
