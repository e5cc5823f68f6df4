#pragma once

#include <QString>

#include <array>

// One calculation as a value: every input the user chose or typed, the state
// the steps derived from them, the nine coefficients as shown, and Т. The
// premium sheet holds one and tells the windows what changes; the journal
// keeps one per Т and gives it back whole; the report is made from one. Texts
// are kept as the windows show them (a typed start class, a period with its
// trailing blank); choices are typed.
namespace karvo {

// The nine coefficients, in the order the formula reads them.
enum class Coefficient { Tb, Kt, Kbm, Ko, Kvs, Km, Ks, Kp, Kn };
inline constexpr std::array kAllCoefficients = { Coefficient::Tb, Coefficient::Kt, Coefficient::Kbm,
    Coefficient::Ko, Coefficient::Kvs, Coefficient::Km, Coefficient::Ks, Coefficient::Kp, Coefficient::Kn };

enum class OwnerKind { Unset, Individual, LegalEntity };
enum class RegistrationCase { RegisteredInRussia, TravellingToRegistration, ForeignVehicle };
enum class VehicleGroup { GroupB, GroupOther, GroupTrailer };
enum class ContractKind { FirstTime, Renewal };
// The column of the territory table step 2 reads: vehicles, or tractors and
// machines. Unset reads the tractors' column, as the table always did.
enum class TerritoryColumn { Unset, Vehicles, Tractors };
// Step 4: a limited list of drivers, or any driver.
enum class DriversLimit { Limited, Unlimited };

struct Calculation
{
    // Step 1.
    int category = 3; // 1 … 16, the row of the base tariffs
    bool foreignRegistered = false;
    // Step 2.
    TerritoryColumn column = TerritoryColumn::Unset;
    QString region; // as shown: a region of the table, or one a load brought back
    QString townGroup; // empty when none is chosen
    // Step 3.
    ContractKind contractKind = ContractKind::FirstTime;
    QString startClass; // as shown or typed
    QString payouts; // as shown or typed
    QString endClass;
    // Steps 4 to 7.
    DriversLimit drivers = DriversLimit::Limited;
    int kvsRow = -1; // the row of the age and experience list; -1 none
    int kmRow = -1; // the row of the power list; -1 none
    QString period; // as shown or typed
    // Steps 8 and 9.
    bool skipTerm = true;
    QString term; // the step-8 term whose КП was taken; empty: none
    bool kpDefaulted = false; // КП became "1" on leaving step 9 forward
    QString knNote; // the sentence that explains КН
    // Step 10.
    OwnerKind owner = OwnerKind::Individual;
    RegistrationCase registration = RegistrationCase::RegisteredInRussia;
    VehicleGroup group = VehicleGroup::GroupB;
    bool reminderWanted = false;
    QString reminderDate; // as typed in the reminder window
    // The coefficients as shown or typed, in the order of kAllCoefficients;
    // the empty text is a coefficient not set.
    std::array<QString, kAllCoefficients.size()> coefficients;
    QString premium; // Т, written only by "Расчет"
    QString startTime; // the time of day the calculation started, for the report

    QString coefficient(Coefficient c) const { return coefficients[std::size_t(c)]; }

    bool operator==(const Calculation &) const = default;
};

// What Т depends on: the calculation without Т and without what only
// explains or accompanies it (the КН sentence, whether КП was defaulted, the
// start time, the reminder). Т is current exactly while these are what it
// was computed from.
Calculation inputsOf(Calculation calculation);

} // namespace karvo
