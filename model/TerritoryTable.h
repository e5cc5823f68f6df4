#pragma once

#include "model/Calculation.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

// The territory coefficient КТ by region and town group: 83 regions in display
// order, 261 (region, town group) rows, each with a КТ for vehicles (column
// "17") and one for tractors and machines (column "18"). Keys are exact
// strings, odd spacing included: they are what the lists show.
namespace karvo {

struct TerritoryRow
{
    QString region;
    QString townGroup;
    QString ktVehicles; // column "17", e.g. "1,3"
    QString ktTractors; // column "18"
};

class TerritoryTable
{
public:
    static std::span<const TerritoryRow> rows();

    // The 83 region names in display order.
    static QStringList regions();

    // The town groups of `region` in list order, or nothing when no region has
    // exactly that name.
    static std::optional<QStringList> townGroups(const QString &region);

    // КТ of the exact pair in `column` (the tractors' column when unset), or
    // nothing when no row matches.
    static std::optional<QString> coefficient(
        const QString &region, const QString &townGroup, TerritoryColumn column);
};

} // namespace karvo
