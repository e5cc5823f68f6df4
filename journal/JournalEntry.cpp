#include "journal/JournalEntry.h"

#include "journal/JournalTexts.h"

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

JournalEntry journalEntryOf(const PremiumSheet &sheet, const StoredInputs &inputs)
{
    JournalEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.inputs = inputs;
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i)
        entry.coefficients[i] = sheet.coefficient(kAllCoefficients[i]);
    entry.t = sheet.text(SheetText::T);
    return entry;
}

void fillSheet(PremiumSheet &sheet, const JournalEntry &entry)
{
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i)
        sheet.setCoefficient(kAllCoefficients[i], entry.coefficients[i]);
    const int owner = entry.inputs.owner.toInt();
    sheet.setOwnerKind(owner == 1 ? OwnerKind::Individual
            : owner == 2          ? OwnerKind::LegalEntity
                                  : OwnerKind::Unset);
    const int registration = entry.inputs.registration.toInt();
    if (registration >= 4 && registration <= 6) {
        sheet.setRegistrationCase(RegistrationCase(registration - 4));
        sheet.setForeignRegisteredFlag(registration == 6);
    }
    const int group = entry.inputs.vehicleGroup.toInt();
    if (group >= 7 && group <= 9)
        sheet.setVehicleGroup(VehicleGroup(group - 7));
    // Last: every input above empties Т.
    sheet.setText(SheetText::T, entry.t);
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
