#pragma once

#include "storage/SettingsKeys.h"

#include <QString>

#include <algorithm>
#include <array>
#include <utility>

// The inputs of one calculation as they are kept: the choice codes and texts
// that karvo.ini's section "t" holds, one text each, exactly as written (a
// stored file may hold anything; the replay checks them). The journal of
// calculations keeps the same fields and the rest of the calculation: the
// step-3 payouts and end class, the step-8 term, and what the steps derived.
namespace karvo {

struct StoredInputs
{
    QString category; // "1" … "16"
    QString region; // the step-2 region text
    QString townGroup; // the step-2 town group, empty when none is chosen
    QString ktVariant; // "17" or "18"
    QString contractKind; // "11": a replay is always a renewal
    QString startClass; // the class the replay starts in
    QString ko; // "1" or "2"
    QString kvs; // zero-based position in the КВС list
    QString km; // zero-based position in the КМ list
    QString period; // the step-7 period of use
    QString ks;
    QString owner; // "1" or "2"
    QString registration; // "4", "5" or "6"
    QString vehicleGroup; // "7", "8" or "9"
    QString payouts = {}; // the step-3 number of payouts; empty: none to replay
    // Kept by the journal only.
    QString endClass = {};
    QString foreign = {}; // "1" registered abroad, "0" not; empty in a journal of the first release
    QString skipTerm = {}; // "1" step 8 skipped, "0" not
    QString term = {}; // the step-8 term
    QString kpDefaulted = {}; // "1" КП became 1 on leaving step 9
    QString knNote = {};
    QString reminder = {}; // "1" the reminder check ticked
    QString reminderDate = {};
    QString startTime = {};

    bool operator==(const StoredInputs &) const = default;
};

// Every field with its key in karvo.ini, in the order the keys are written.
inline const std::array<std::pair<QString, QString StoredInputs::*>, 14> &storedInputFields()
{
    namespace K = SettingsKeys;
    static const std::array<std::pair<QString, QString StoredInputs::*>, 14> fields = { {
        { K::kCategory, &StoredInputs::category },
        { K::kRegion, &StoredInputs::region },
        { K::kTownGroup, &StoredInputs::townGroup },
        { K::kKtVariant, &StoredInputs::ktVariant },
        { K::kContractKind, &StoredInputs::contractKind },
        { K::kStartClass, &StoredInputs::startClass },
        { K::kKo, &StoredInputs::ko },
        { K::kKvs, &StoredInputs::kvs },
        { K::kKm, &StoredInputs::km },
        { K::kPeriod, &StoredInputs::period },
        { K::kKs, &StoredInputs::ks },
        { K::kOwner, &StoredInputs::owner },
        { K::kRegistration, &StoredInputs::registration },
        { K::kVehicleGroup, &StoredInputs::vehicleGroup },
    } };
    return fields;
}

// The journal's fields: those of karvo.ini, the payouts ("kbm3") of the
// journal's first release, then the rest of the calculation.
inline constexpr std::size_t kFirstJournalInputCount = 15;
inline constexpr std::size_t kJournalInputCount = 24;
inline const std::array<std::pair<QString, QString StoredInputs::*>, kJournalInputCount> &journalInputFields()
{
    static const std::array<std::pair<QString, QString StoredInputs::*>, kJournalInputCount> fields = [] {
        std::array<std::pair<QString, QString StoredInputs::*>, kJournalInputCount> all;
        auto end = std::copy(storedInputFields().begin(), storedInputFields().end(), all.begin());
        const std::array<std::pair<QString, QString StoredInputs::*>, 10> more = { {
            { QStringLiteral("kbm3"), &StoredInputs::payouts },
            { QStringLiteral("kbm4"), &StoredInputs::endClass },
            { QStringLiteral("tb2"), &StoredInputs::foreign },
            { QStringLiteral("kp0"), &StoredInputs::skipTerm },
            { QStringLiteral("kp1"), &StoredInputs::term },
            { QStringLiteral("kp2"), &StoredInputs::kpDefaulted },
            { QStringLiteral("kn1"), &StoredInputs::knNote },
            { QStringLiteral("ch"), &StoredInputs::reminder },
            { QStringLiteral("dt"), &StoredInputs::reminderDate },
            { QStringLiteral("time"), &StoredInputs::startTime },
        } };
        std::copy(more.begin(), more.end(), end);
        return all;
    }();
    return fields;
}

} // namespace karvo
