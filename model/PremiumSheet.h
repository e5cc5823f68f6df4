#pragma once

// The tariff model: one PremiumSheet per run of the calculator, the tables that
// turn a choice into a coefficient text, and the formula that turns the sheet
// into the premium Т. Choices flow in from the step windows through the
// operations of the table headers (BaseTariffs.h, TerritoryTable.h, ...); the
// windows show what the sheet holds by listening to its change signals.
// Nothing here knows about widgets or files.

#include "model/Calculation.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace karvo {

// "ТБ", "КТ", "КБМ", "КО", "КВС", "КМ", "КС", "КП", "КН".
QString shortName(Coefficient coefficient);

// The texts of the calculation. The first nine are the coefficients, in the
// order of Coefficient.
enum class SheetText {
    Tb,
    Kt,
    Kbm,
    Ko,
    Kvs,
    Km,
    Ks,
    Kp,
    Kn,
    T, // the premium, written only by computePremium
    KnNote, // the sentence explaining the КН choice
    Region, // the step-2 region whose towns are listed, or the replayed one
    TownGroup, // the chosen step-2 town group, empty when none is chosen
    StartClass, // the step-3 class at the start of the term, as shown
    Payouts, // the step-3 number of insurance payouts, as shown
    EndClass, // the step-3 class at the end of the term
    Period, // the step-7 period of use, as shown
    Term, // the step-8 term whose КП was taken
    StartTime, // the time of day the calculation started, for the report
    ReminderDate, // the date typed in the reminder window
};
inline constexpr int kSheetTextCount = int(SheetText::ReminderDate) + 1;

constexpr SheetText textOf(Coefficient coefficient)
{
    return SheetText(int(coefficient));
}

// The one record of a calculation, observable: it holds a Calculation and
// says what changed. Setters emit a change signal only when the value really
// changes, so a window bound both ways never loops. Т is current exactly
// while the inputs are those it was computed from: a change empties it, and a
// change back brings it back.
class PremiumSheet : public QObject
{
    Q_OBJECT

public:
    explicit PremiumSheet(QObject *parent = nullptr);

    // The whole calculation, and putting one back as it was: every field,
    // Т included, with a change signal for each field that differs.
    const Calculation &value() const { return m_value; }
    void restore(const Calculation &value);

    QString text(SheetText field) const;
    void setText(SheetText field, const QString &value);
    // "Расчет": Т of the inputs the sheet holds now, or none.
    void setPremium(const QString &premium);

    QString coefficient(Coefficient c) const { return m_value.coefficient(c); }
    void setCoefficient(Coefficient c, const QString &value) { setText(textOf(c), value); }

    int category() const { return m_value.category; }
    void setCategory(int row);

    TerritoryColumn territoryColumn() const { return m_value.column; }
    void setTerritoryColumn(TerritoryColumn column);

    DriversLimit driversLimit() const { return m_value.drivers; }
    void setDriversLimit(DriversLimit limit);

    int kvsRow() const { return m_value.kvsRow; }
    void setKvsRow(int row);
    int kmRow() const { return m_value.kmRow; }
    void setKmRow(int row);

    bool kpDefaulted() const { return m_value.kpDefaulted; }
    void setKpDefaulted(bool on);

    OwnerKind ownerKind() const { return m_value.owner; }
    void setOwnerKind(OwnerKind kind);
    // "Расчет" may run only while an owner kind is chosen.
    bool canCompute() const { return m_value.owner != OwnerKind::Unset; }

    RegistrationCase registrationCase() const { return m_value.registration; }
    void setRegistrationCase(RegistrationCase registrationCase);

    VehicleGroup vehicleGroup() const { return m_value.group; }
    void setVehicleGroup(VehicleGroup group);

    ContractKind contractKind() const { return m_value.contractKind; }
    void setContractKind(ContractKind kind);

    // The step-1 check for vehicles registered abroad; setForeignRegistered()
    // in BaseTariffs.h applies its effects, this only holds the flag.
    bool foreignRegistered() const { return m_value.foreignRegistered; }
    void setForeignRegisteredFlag(bool on);

    // The step-8 check "Пропустить"; setSkip() in TermAndViolation.h applies it.
    bool skipTerm() const { return m_value.skipTerm; }
    void setSkipTermFlag(bool on);

    // The step-10 reminder check; at start it is what karvo.ini remembers.
    bool reminderWanted() const { return m_value.reminderWanted; }
    void setReminderWanted(bool on);

    // The step-10 check "Сохранить исходные данные": the user's wish for this
    // run, not part of a calculation.
    bool saveInputs() const { return m_saveInputs; }
    void setSaveInputs(bool on);

    // The town groups step 2 lists: those of the chosen region, or the one a
    // replay brought back. They follow from the region; a restored
    // calculation lists its region's towns.
    QStringList towns() const { return m_towns; }
    void setTowns(const QStringList &towns);

signals:
    void textChanged(karvo::SheetText field, const QString &value);
    void categoryChanged(int row);
    void territoryColumnChanged(karvo::TerritoryColumn column);
    void driversLimitChanged(karvo::DriversLimit limit);
    void kvsRowChanged(int row);
    void kmRowChanged(int row);
    void ownerKindChanged(karvo::OwnerKind kind);
    void registrationCaseChanged(karvo::RegistrationCase registrationCase);
    void vehicleGroupChanged(karvo::VehicleGroup group);
    void contractKindChanged(karvo::ContractKind kind);
    void foreignRegisteredChanged(bool on);
    void skipTermChanged(bool on);
    void saveInputsChanged(bool on);
    void reminderWantedChanged(bool on);
    void townsChanged(const QStringList &towns);

private:
    // Sets a field, and on a change tells the windows and puts Т in step with
    // the inputs.
    template <class T, class Signal> void change(T Calculation::*field, const T &value, Signal signal);
    QString &slot(SheetText field);
    void followInputs();
    void emitDifferences(const Calculation &before);

    Calculation m_value;
    // The inputs of the last "Расчет" and its Т.
    std::optional<Calculation> m_computedFrom;
    QString m_computedPremium;
    bool m_saveInputs = false;
    QStringList m_towns;
};

} // namespace karvo
