#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// КБМ: the bonus-malus scale of 15 classes ("M", "0" … "13"; classes are text,
// never numbers) and the move of a class after an annual term with 0 … 4
// payouts.
namespace karvo {

QStringList bonusMalusClasses(); // "M", "0", … "13"
QStringList payoutCounts(); // "0" … "4"

inline const QString kFirstContractClass = QStringLiteral("3");

// КБМ text of a class ("2,45" … "0,5"), nothing for any other text.
std::optional<QString> coefficientOfClass(const QString &bonusMalusClass);

// End class after a term, nothing when either token is not listed.
std::optional<QString> classAfterTerm(const QString &startClass, const QString &payouts);

struct RenewalOutcome
{
    QString endClass;
    QString kbm; // the coefficient of the end class
};

// What step 3 shows for a renewal once both the start class and the payout
// count are listed values.
std::optional<RenewalOutcome> renewalOutcome(const QString &startClass, const QString &payouts);

} // namespace karvo
