#pragma once

#include <QString>

// Every section and key of karvo.ini, in one place. Section "t" holds the
// inputs of the last calculation, in the order they are written; sections
// "ch" and "dt" the state of the renewal reminder (the flag that ticks the
// reminder check at start, and the date).
namespace karvo {

namespace SettingsKeys {
// The inputs of a calculation, in the order they are written.
inline const QString kInputsSection = QStringLiteral("t");
inline const QString kCategory = QStringLiteral("tb");
inline const QString kRegion = QStringLiteral("kt1");
inline const QString kTownGroup = QStringLiteral("kt2");
inline const QString kKtVariant = QStringLiteral("kt4");
inline const QString kContractKind = QStringLiteral("kbm1");
inline const QString kStartClass = QStringLiteral("kbm2");
inline const QString kKo = QStringLiteral("ko");
inline const QString kKvs = QStringLiteral("kvs");
inline const QString kKm = QStringLiteral("km");
inline const QString kPeriod = QStringLiteral("ks1");
inline const QString kKs = QStringLiteral("ks");
inline const QString kOwner = QStringLiteral("t1");
inline const QString kRegistration = QStringLiteral("t2");
inline const QString kVehicleGroup = QStringLiteral("t3");

// The renewal reminder.
inline const QString kReminderSection = QStringLiteral("dt");
inline const QString kReminderDate = QStringLiteral("dt");
inline const QString kReminderFlagSection = QStringLiteral("ch");
inline const QString kReminderFlag = QStringLiteral("ch");
} // namespace SettingsKeys

} // namespace karvo
