#include "model/DriverCoefficients.h"

#include "model/Money.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Horsepower per kilowatt, the metric horsepower the decree's power classes use.
constexpr double kHorsepowerPerKilowatt = 1.35962;

// clang-format off
const std::array<KoChoice, 2> &koTable()
{
    static const std::array<KoChoice, 2> table = {{
        {u" Договор обязательного страхования предусматривает ограничение количества лиц, "
         u"допущенных к управлению транспортным средством"_s,
         u"1"_s, u"1"_s},
        {u"Договор обязательного страхования не предусматривает ограничения количества лиц, "
         u"допущенных к управлению транспортным средством (в ред. Постановления Правительства РФ "
         u"от 13.07.2011 N 574)"_s,
         u"1,8"_s, u"2"_s},
    }};
    return table;
}

const std::array<KvsRow, 4> &kvsTable()
{
    static const std::array<KvsRow, 4> table = {{
        {u"До 22 лет включительно со стажем вождения до 3 лет включительно"_s, u"1,8"_s},
        {u"Более 22 лет со стажем вождения до 3 лет включительно"_s,           u"1,7"_s},
        {u"До 22 лет включительно со стажем вождения свыше 3 лет"_s,           u"1,6"_s},
        {u"Более 22 лет со стажем вождения свыше 3 лет"_s,                     u"1"_s},
    }};
    return table;
}

// The two figures are the horsepower bounds the item names; "0" as the second
// figure means the item names one bound only.
const std::array<KmRow, 6> &kmTable()
{
    static const std::array<KmRow, 6> table = {{
        {u"До 50"_s,                         u"0,6"_s, u"50"_s,  u"0"_s},
        {u"Свыше 50 до 70 включительно"_s,   u"1"_s,   u"50"_s,  u"70"_s},
        {u"Свыше 70 до 100 включительно"_s,  u"1,1"_s, u"70"_s,  u"100"_s},
        {u"Свыше 100 до 120 включительно"_s, u"1,2"_s, u"100"_s, u"120"_s},
        {u"Свыше 120 до 150 включительно"_s, u"1,4"_s, u"120"_s, u"150"_s},
        {u"Свыше 150"_s,                     u"1,6"_s, u"150"_s, u"0"_s},
    }};
    return table;
}

// The last period has always carried a trailing blank, and saved inputs hold
// it that way; it is matched with the blank.
const std::array<KsRow, 8> &ksTable()
{
    static const std::array<KsRow, 8> table = {{
        {u"3 месяца"_s,            u"0,5"_s},
        {u"4 месяца"_s,            u"0,6"_s},
        {u"5 месяцев"_s,           u"0,65"_s},
        {u"6 месяцев"_s,           u"0,7"_s},
        {u"7 месяцев"_s,           u"0,8"_s},
        {u"8 месяцев"_s,           u"0,9"_s},
        {u"9 месяцев"_s,           u"0,95"_s},
        {u"10 месяцев и более "_s, u"1"_s},
    }};
    return table;
}
// clang-format on

} // namespace

std::span<const KoChoice> koChoices()
{
    return koTable();
}

std::span<const KvsRow> kvsRows()
{
    return kvsTable();
}

std::span<const KmRow> kmRows()
{
    return kmTable();
}

std::span<const KsRow> ksRows()
{
    return ksTable();
}

void chooseKo(PremiumSheet &sheet, int choice)
{
    // A code read back from saved inputs is mapped to 0 or 1 by the restore;
    // anything else selects nothing.
    if (choice < 0 || choice >= int(koTable().size()))
        return;
    const KoChoice &row = koTable()[std::size_t(choice)];
    sheet.setCoefficient(Coefficient::Ko, row.ko);
    sheet.setDriversLimit(DriversLimit(choice));
}

bool chooseKvs(PremiumSheet &sheet, const QString &item)
{
    const auto &table = kvsTable();
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (table[index].item != item)
            continue;
        sheet.setCoefficient(Coefficient::Kvs, table[index].kvs);
        sheet.setKvsRow(int(index));
        return true;
    }
    return false;
}

std::optional<KmRow> chooseKm(PremiumSheet &sheet, const QString &item)
{
    const auto &table = kmTable();
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (table[index].item != item)
            continue;
        sheet.setCoefficient(Coefficient::Km, table[index].km);
        sheet.setKmRow(int(index));
        return table[index];
    }
    return std::nullopt;
}

bool chooseKs(PremiumSheet &sheet, const QString &period)
{
    for (const KsRow &row : ksTable()) {
        if (row.period != period)
            continue;
        sheet.setCoefficient(Coefficient::Ks, row.ks);
        return true;
    }
    return false;
}

QString kilowattText(const QString &horsepower)
{
    // Through the fixed-point type both ways, so the label rounds exactly like
    // every other number of the tariffs: four decimals, halves to even.
    const std::optional<Money> figure = Money::parse(horsepower);
    if (!figure)
        return {};
    const std::optional<Money> kilowatts = Money::fromDouble(figure->toDouble() / kHorsepowerPerKilowatt);
    if (!kilowatts)
        return {};
    return kilowatts->toText() + u" кВт"_s;
}

QString secondKilowattText(const QString &horsepower)
{
    const std::optional<Money> figure = Money::parse(horsepower);
    if (!figure || *figure == Money())
        return {};
    return kilowattText(horsepower);
}

PowerKilowatts powerKilowatts(int row)
{
    if (row < 0 || std::size_t(row) >= kmRows().size())
        return {};
    const KmRow &power = kmRows()[std::size_t(row)];
    return { kilowattText(power.firstFigure), secondKilowattText(power.secondFigure) };
}

} // namespace karvo
