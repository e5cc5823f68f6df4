#include "journal/JournalEntry.h"

#include "journal/JournalTexts.h"
#include "model/BonusMalus.h"
#include "model/TermAndViolation.h"
#include "storage/SavedInputs.h"

#include <QHash>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = journal_texts;

// Short enough for a table column; the category's caption on step 1 is a
// sentence. Row n is category code n + 1.
const std::array<QString, 16> kCategoryTexts = {
    u"Мотоцикл, мотороллер (A)"_s,
    u"Легковой (B), юридическое лицо"_s,
    u"Легковой (B), физическое лицо"_s,
    u"Легковой (B), предприниматель"_s,
    u"Легковой (B), такси"_s,
    u"Прицеп к легковому или мотоциклу"_s,
    u"Грузовой (C), до 16 т"_s,
    u"Грузовой (C), более 16 т"_s,
    u"Прицеп к грузовому"_s,
    u"Автобус (D), до 20 мест"_s,
    u"Автобус (D), более 20 мест"_s,
    u"Автобус (D), такси"_s,
    u"Троллейбус"_s,
    u"Трамвай"_s,
    u"Трактор, самоходная машина"_s,
    u"Прицеп к трактору"_s,
};

} // namespace

QString searchFolded(const QString &text)
{
    // Case-folded first, so that only the small letters need a pair: each
    // Latin letter whose capital looks like a Cyrillic capital becomes that
    // Cyrillic letter. "(B)" as the window shows a category and "(В)" as a
    // Russian keyboard types it are then one text.
    static const QHash<QChar, QChar> lookAlikes = {
        { u'a', u'а' },
        { u'b', u'в' },
        { u'c', u'с' },
        { u'e', u'е' },
        { u'h', u'н' },
        { u'k', u'к' },
        { u'm', u'м' },
        { u'o', u'о' },
        { u'p', u'р' },
        { u't', u'т' },
        { u'x', u'х' },
        { u'y', u'у' },
    };
    QString folded = text.toCaseFolded();
    for (QChar &c : folded) {
        if (c.unicode() < 0x80) {
            if (const auto found = lookAlikes.constFind(c); found != lookAlikes.cend())
                c = *found;
        }
    }
    return folded;
}

JournalEntry journalEntryOf(const Calculation &calculation)
{
    JournalEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.inputs = storedInputsOf(calculation);
    const bool firstTime = calculation.contractKind == ContractKind::FirstTime;
    entry.inputs.contractKind = firstTime ? u"0"_s : u"11"_s;
    entry.inputs.startClass = calculation.startClass;
    entry.inputs.payouts = firstTime ? QString() : calculation.payouts;
    const auto flag = [](bool on) { return on ? u"1"_s : u"0"_s; };
    entry.inputs.endClass = calculation.endClass;
    entry.inputs.foreign = flag(calculation.foreignRegistered);
    entry.inputs.skipTerm = flag(calculation.skipTerm);
    entry.inputs.term = calculation.term;
    entry.inputs.kpDefaulted = flag(calculation.kpDefaulted);
    entry.inputs.knNote = calculation.knNote;
    entry.inputs.reminder = flag(calculation.reminderWanted);
    entry.inputs.reminderDate = calculation.reminderDate;
    entry.inputs.startTime = calculation.startTime;
    entry.coefficients = calculation.coefficients;
    entry.t = calculation.premium;
    return entry;
}

Calculation calculationOf(const JournalEntry &entry)
{
    const StoredInputs &in = entry.inputs;
    const auto code = [](const QString &text, int none) {
        bool ok = false;
        const int value = text.toInt(&ok);
        return ok ? value : none;
    };
    Calculation c;
    c.category = code(in.category, c.category);
    c.region = in.region;
    c.townGroup = in.townGroup;
    c.column = in.ktVariant == u"17"_s ? TerritoryColumn::Vehicles
        : in.ktVariant == u"18"_s      ? TerritoryColumn::Tractors
                                       : TerritoryColumn::Unset;
    c.contractKind = in.contractKind == u"0"_s ? ContractKind::FirstTime : ContractKind::Renewal;
    c.startClass = in.startClass;
    c.payouts = in.payouts;
    if (c.contractKind == ContractKind::Renewal) {
        if (const std::optional<RenewalOutcome> outcome = renewalOutcome(c.startClass, c.payouts))
            c.endClass = outcome->endClass;
    }
    c.drivers = in.ko == u"2"_s ? DriversLimit::Unlimited : DriversLimit::Limited;
    c.kvsRow = code(in.kvs, -1);
    c.kmRow = code(in.km, -1);
    c.period = in.period;
    c.owner = in.owner == u"1"_s ? OwnerKind::Individual
        : in.owner == u"2"_s     ? OwnerKind::LegalEntity
                                 : OwnerKind::Unset;
    const int registration = code(in.registration, 4);
    c.registration = registration >= 4 && registration <= 6 ? RegistrationCase(registration - 4)
                                                            : RegistrationCase::RegisteredInRussia;
    const int group = code(in.vehicleGroup, 7);
    c.group = group >= 7 && group <= 9 ? VehicleGroup(group - 7) : VehicleGroup::GroupB;
    c.foreignRegistered = c.registration == RegistrationCase::ForeignVehicle;
    c.coefficients = entry.coefficients;
    c.premium = entry.t;
    if (!in.foreign.isEmpty()) {
        const auto flag = [](const QString &text) { return text == u"1"_s; };
        c.endClass = in.endClass;
        c.foreignRegistered = flag(in.foreign);
        c.skipTerm = flag(in.skipTerm);
        c.term = in.term;
        c.kpDefaulted = flag(in.kpDefaulted);
        c.knNote = in.knNote;
        c.reminderWanted = flag(in.reminder);
        c.reminderDate = in.reminderDate;
        c.startTime = in.startTime;
        return c;
    }
    c.startTime = entry.time.toString(u"HH:mm"_s);

    const QString kp = c.coefficient(Coefficient::Kp);
    c.skipTerm = !c.foreignRegistered;
    if (c.skipTerm) {
        c.kpDefaulted = kp == u"1"_s;
    } else {
        for (const TermRow &row : kpTermTable()) {
            if (row.kp == kp) {
                c.term = row.term;
                break;
            }
        }
    }
    // The sentence that goes with КН: the same rule "Далее >>" of step 8 runs.
    PremiumSheet sheet;
    sheet.setContractKind(c.contractKind);
    deriveKn(sheet, c.payouts);
    c.knNote = sheet.text(SheetText::KnNote);
    return c;
}

QString columnTitle(JournalColumn column)
{
    switch (column) {
    case JournalColumn::Date:
        return texts::kDate;
    case JournalColumn::Owner:
        return texts::kOwner;
    case JournalColumn::Category:
        return texts::kCategory;
    case JournalColumn::Territory:
        return texts::kTerritory;
    case JournalColumn::Kbm:
        return texts::kKbm;
    case JournalColumn::Premium:
        return texts::kPremium;
    case JournalColumn::Note:
        return texts::kNote;
    }
    return {};
}

QString categoryText(const QString &code)
{
    bool ok = false;
    const int row = code.toInt(&ok);
    if (!ok || row < 1 || row > int(kCategoryTexts.size()))
        return code;
    return kCategoryTexts[std::size_t(row - 1)];
}

QString ownerText(const QString &code)
{
    if (code == u"1"_s)
        return texts::kIndividual;
    if (code == u"2"_s)
        return texts::kLegalEntity;
    return code;
}

QString territoryText(const StoredInputs &inputs)
{
    if (inputs.registration == u"6"_s)
        return texts::kForeignRegistration;
    if (inputs.townGroup.isEmpty())
        return inputs.region;
    return inputs.region + u", "_s + inputs.townGroup;
}

QString columnText(const JournalEntry &entry, JournalColumn column)
{
    switch (column) {
    case JournalColumn::Date:
        return entry.time.toString(kJournalDateFormat);
    case JournalColumn::Owner:
        return ownerText(entry.inputs.owner);
    case JournalColumn::Category:
        return categoryText(entry.inputs.category);
    case JournalColumn::Territory:
        return territoryText(entry.inputs);
    case JournalColumn::Kbm:
        return entry.coefficients[std::size_t(Coefficient::Kbm)];
    case JournalColumn::Premium:
        return entry.t;
    case JournalColumn::Note:
        return entry.note;
    }
    return {};
}

QString searchText(const JournalEntry &entry)
{
    QStringList cells { columnText(entry, JournalColumn::Date) };
    if (entry.inputs.registration != u"6"_s)
        cells << territoryText(entry.inputs);
    cells << columnText(entry, JournalColumn::Kbm) << entry.t << entry.note;
    // A line break cannot be typed into "Поиск", so no match spans two cells.
    return searchFolded(cells.join(u'\n'));
}

SearchedCodes searchedCodes(const QString &foldedWord)
{
    SearchedCodes codes;
    for (const QString &owner : { u"1"_s, u"2"_s }) {
        if (searchFolded(ownerText(owner)).contains(foldedWord))
            codes.owners << owner;
    }
    for (int category = 1; category <= int(kCategoryTexts.size()); ++category) {
        if (searchFolded(kCategoryTexts[std::size_t(category - 1)]).contains(foldedWord))
            codes.categories << QString::number(category);
    }
    codes.foreignRegistration = searchFolded(texts::kForeignRegistration).contains(foldedWord);
    return codes;
}

} // namespace karvo
