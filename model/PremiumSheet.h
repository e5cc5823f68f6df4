#pragma once

// The tariff model: one PremiumSheet per run of the calculator, the tables that
// turn a choice into a coefficient text, and the formula that turns the sheet
// into the premium Т. Choices flow in from the step windows through the
// operations of the table headers (BaseTariffs.h, TerritoryTable.h, ...); the
// windows show what the sheet holds by listening to its change signals.
// Nothing here knows about widgets or files.

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace karvo {

// The nine coefficients, in the order the formula reads them.
enum class Coefficient { Tb, Kt, Kbm, Ko, Kvs, Km, Ks, Kp, Kn };
inline constexpr std::array kAllCoefficients = { Coefficient::Tb, Coefficient::Kt, Coefficient::Kbm,
    Coefficient::Ko, Coefficient::Kvs, Coefficient::Km, Coefficient::Ks, Coefficient::Kp, Coefficient::Kn };

// "ТБ", "КТ", "КБМ", "КО", "КВС", "КМ", "КС", "КП", "КН".
QString shortName(Coefficient coefficient);

// Every text the sheet holds. The first nine are the coefficients, in the order
// of Coefficient.
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
    CategoryCode, // "1" … "16", the step-1 category
    KtVariant, // "17" or "18", the territory column
    KpDefaulted, // "1" when КП was filled with "1" on leaving step 9
    KnNote, // the sentence explaining the КН choice
    KoCode, // "1" or "2"
    KvsIndex, // zero-based position in the КВС list
    KmIndex, // zero-based position in the КМ list
    OwnerCode, // "1" individual, "2" legal entity
    RegistrationCode, // "4", "5", "6"
    VehicleGroupCode, // "7", "8", "9"
    Region, // the step-2 region whose towns are listed, or the replayed one
    TownGroup, // the chosen step-2 town group, empty when none is chosen
    StartClass, // the step-3 class at the start of the term, as shown
    Payouts, // the step-3 number of insurance payouts, as shown
    EndClass, // the step-3 class at the end of the term
    Period, // the step-7 period of use, as shown
    StartTime, // the time of day the calculation started, for the report
};
inline constexpr int kSheetTextCount = int(SheetText::StartTime) + 1;

constexpr SheetText textOf(Coefficient coefficient)
{
    return SheetText(int(coefficient));
}

enum class OwnerKind { Unset, Individual, LegalEntity };
enum class RegistrationCase { RegisteredInRussia, TravellingToRegistration, ForeignVehicle };
enum class VehicleGroup { GroupB, GroupOther, GroupTrailer };
enum class ContractKind { FirstTime, Renewal };

// The one record of a calculation: every input, every choice and every piece
// of state the windows show, the saved inputs keep and the report prints.
// Setters emit a change signal only when the value really changes, so a
// window bound both ways never loops; a change of an input empties Т.
class PremiumSheet : public QObject
{
    Q_OBJECT

public:
    explicit PremiumSheet(QObject *parent = nullptr);

    QString text(SheetText field) const { return m_texts[std::size_t(field)]; }
    void setText(SheetText field, const QString &value);

    QString coefficient(Coefficient c) const { return text(textOf(c)); }
    void setCoefficient(Coefficient c, const QString &value) { setText(textOf(c), value); }

    // Setting an owner kind other than Unset also sets the owner code.
    OwnerKind ownerKind() const { return m_ownerKind; }
    void setOwnerKind(OwnerKind kind);
    // "Расчет" may run only while an owner kind is chosen.
    bool canCompute() const { return m_ownerKind != OwnerKind::Unset; }

    RegistrationCase registrationCase() const { return m_registrationCase; }
    void setRegistrationCase(RegistrationCase registrationCase);

    VehicleGroup vehicleGroup() const { return m_vehicleGroup; }
    void setVehicleGroup(VehicleGroup group);

    ContractKind contractKind() const { return m_contractKind; }
    void setContractKind(ContractKind kind);

    // The step-1 check for vehicles registered abroad; setForeignRegistered()
    // in BaseTariffs.h applies its effects, this only holds the flag.
    bool foreignRegistered() const { return m_foreignRegistered; }
    void setForeignRegisteredFlag(bool on);

    // The step-8 check "Пропустить"; setSkip() in TermAndViolation.h applies it.
    bool skipTerm() const { return m_skipTerm; }
    void setSkipTermFlag(bool on);

    // The step-10 check "Сохранить исходные данные".
    bool saveInputs() const { return m_saveInputs; }
    void setSaveInputs(bool on);

    // The step-10 reminder check; at start it is what karvo.ini remembers.
    bool reminderWanted() const { return m_reminderWanted; }
    void setReminderWanted(bool on);

    // The town groups step 2 lists: those of the chosen region, or the one a
    // replay brought back.
    QStringList towns() const { return m_towns; }
    void setTowns(const QStringList &towns);

    // Whether `field` is an input of the premium: changing one empties Т,
    // which then no longer belongs to what the windows show.
    static bool isInput(SheetText field);

signals:
    void textChanged(karvo::SheetText field, const QString &value);
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
    void emptyPremium();

    std::array<QString, kSheetTextCount> m_texts;
    OwnerKind m_ownerKind = OwnerKind::Individual;
    RegistrationCase m_registrationCase = RegistrationCase::RegisteredInRussia;
    VehicleGroup m_vehicleGroup = VehicleGroup::GroupB;
    ContractKind m_contractKind = ContractKind::FirstTime;
    bool m_foreignRegistered = false;
    bool m_skipTerm = true;
    bool m_saveInputs = false;
    bool m_reminderWanted = false;
    QStringList m_towns;
};

} // namespace karvo
