#include "model/BonusMalus.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

inline constexpr int kClassCount = 15;
inline constexpr int kPayoutCountCount = 5;

struct ClassRow
{
    QString bonusMalusClass;
    QString kbm;
    // The end class after a term with 0, 1, 2, 3 and 4 payouts.
    std::array<QString, kPayoutCountCount> afterPayouts;
};

// The scale in the order the step-3 lists show it, from the worst class "M" (a
// Latin letter) to the best, 13. Four payouts in one term send every class to
// M; class 13 without payouts stays 13.
// clang-format off
const std::array<ClassRow, kClassCount> &scale()
{
    static const std::array<ClassRow, kClassCount> table = {{
        {u"M"_s,  u"2,45"_s, {u"0"_s,  u"M"_s, u"M"_s, u"M"_s, u"M"_s}},
        {u"0"_s,  u"2,3"_s,  {u"1"_s,  u"M"_s, u"M"_s, u"M"_s, u"M"_s}},
        {u"1"_s,  u"1,55"_s, {u"2"_s,  u"M"_s, u"M"_s, u"M"_s, u"M"_s}},
        {u"2"_s,  u"1,4"_s,  {u"3"_s,  u"1"_s, u"M"_s, u"M"_s, u"M"_s}},
        {u"3"_s,  u"1"_s,    {u"4"_s,  u"1"_s, u"M"_s, u"M"_s, u"M"_s}},
        {u"4"_s,  u"0,95"_s, {u"5"_s,  u"2"_s, u"1"_s, u"M"_s, u"M"_s}},
        {u"5"_s,  u"0,9"_s,  {u"6"_s,  u"3"_s, u"1"_s, u"M"_s, u"M"_s}},
        {u"6"_s,  u"0,85"_s, {u"7"_s,  u"4"_s, u"2"_s, u"M"_s, u"M"_s}},
        {u"7"_s,  u"0,8"_s,  {u"8"_s,  u"4"_s, u"2"_s, u"M"_s, u"M"_s}},
        {u"8"_s,  u"0,75"_s, {u"9"_s,  u"5"_s, u"2"_s, u"M"_s, u"M"_s}},
        {u"9"_s,  u"0,7"_s,  {u"10"_s, u"5"_s, u"2"_s, u"1"_s, u"M"_s}},
        {u"10"_s, u"0,65"_s, {u"11"_s, u"6"_s, u"3"_s, u"1"_s, u"M"_s}},
        {u"11"_s, u"0,6"_s,  {u"12"_s, u"6"_s, u"3"_s, u"1"_s, u"M"_s}},
        {u"12"_s, u"0,55"_s, {u"13"_s, u"6"_s, u"3"_s, u"1"_s, u"M"_s}},
        {u"13"_s, u"0,5"_s,  {u"13"_s, u"7"_s, u"3"_s, u"1"_s, u"M"_s}},
    }};
    return table;
}
// clang-format on

// Classes are compared as text: "M" is not a number, and " 3" or "03" are not
// classes.
const ClassRow *findClass(const QString &bonusMalusClass)
{
    for (const ClassRow &row : scale()) {
        if (row.bonusMalusClass == bonusMalusClass)
            return &row;
    }
    return nullptr;
}

} // namespace

QStringList bonusMalusClasses()
{
    QStringList classes;
    for (const ClassRow &row : scale())
        classes.append(row.bonusMalusClass);
    return classes;
}

QStringList payoutCounts()
{
    return { u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s };
}

std::optional<QString> coefficientOfClass(const QString &bonusMalusClass)
{
    if (const ClassRow *row = findClass(bonusMalusClass))
        return row->kbm;
    return std::nullopt;
}

std::optional<QString> classAfterTerm(const QString &startClass, const QString &payouts)
{
    const ClassRow *row = findClass(startClass);
    const qsizetype column = payoutCounts().indexOf(payouts);
    if (!row || column < 0)
        return std::nullopt;
    return row->afterPayouts[std::size_t(column)];
}

std::optional<RenewalOutcome> renewalOutcome(const QString &startClass, const QString &payouts)
{
    const std::optional<QString> endClass = classAfterTerm(startClass, payouts);
    if (!endClass)
        return std::nullopt;
    // Every end class of the table is itself a class of the scale.
    return RenewalOutcome { *endClass, *coefficientOfClass(*endClass) };
}

} // namespace karvo
