#pragma once

#include "model/PremiumSheet.h"
#include "storage/SettingsKeys.h"

#include <QObject>
#include <QString>

class QTimer;

// The inputs of a calculation kept in karvo.ini (section "t"), so that a later
// calculation can start from them: stored after "Расчет" when the user asks,
// read back by "Загрузить сохраненные данные" and, half a second later,
// replayed through the same choices a user's clicks make.
namespace karvo {

// What the saved inputs need from the step windows beyond the sheet: the
// texts of a few controls, and the choices to replay. The wizard implements
// it; every select… runs exactly what the user's click on that choice runs.
class SavedInputsForm
{
public:
    virtual ~SavedInputsForm() = default;

    virtual QString regionText() const = 0; // step 2 region box
    virtual QString selectedTownGroup() const = 0; // step 2 town list, empty when none
    virtual QString endClassText() const = 0; // step 3 end class
    virtual QString periodText() const = 0; // step 7 period of use

    // Creates the step windows the restore writes into, with their own
    // defaults, if they do not exist yet; their defaults must not overwrite
    // what the restore writes after.
    virtual void ensureStepWindows() = 0;
    virtual void setStep1NextEnabled(bool enabled) = 0;
    virtual void setPeriodText(const QString &text) = 0;
    virtual void setReminderDateText(const QString &text) = 0;

    virtual void selectCategory(int row) = 0;
    virtual void selectKtVariant(const QString &variant) = 0;
    virtual void setRegionText(const QString &text) = 0;
    // Adds the entry to the (just emptied) town list and selects it.
    virtual void addAndSelectTownGroup(const QString &townGroup) = 0;
    virtual void selectContractKind(ContractKind kind) = 0;
    virtual void setStartClassText(const QString &text) = 0;
    virtual void selectKo(int choice) = 0; // 0 Option1, 1 Option2
    virtual void selectKvsIndex(int index) = 0;
    virtual void selectKmIndex(int index) = 0;
    virtual void selectOwnerKind(OwnerKind kind) = 0;
    // The step-1 check for vehicles registered abroad, with all its effects.
    virtual void setForeignRegistered(bool on) = 0;
    virtual void selectRegistrationCase(RegistrationCase registrationCase) = 0;
    virtual void selectVehicleGroup(VehicleGroup group) = 0;
};

inline const QString kNotSavedMessage = QStringLiteral("Не сохранены данные");
inline const QString kSaveFailedMessage = QStringLiteral("Не удалось сохранить исходные данные: ");

// Writes the inputs of the calculation. When the file cannot be written the
// user is told once, with the reason, and the remaining keys are not tried.
// Returns whether every key was written.
bool storeInputs(const PremiumSheet &sheet, const SavedInputsForm &form);

// The codes of a stored calculation as the file holds them, unchecked.
struct StoredChoices
{
    QString category, ktVariant, contractKind, ko, kvs, km, owner, registration, vehicleGroup;
};

// The restore: `load` reads the stored codes and starts the timer; the
// timer's one tick replays them into the windows. The codes wait here, not in
// the sheet: the sheet's codes always describe the choices the windows show,
// so that a load that fails leaves nothing behind that a later save would
// write.
class SavedInputsRestore : public QObject
{
    Q_OBJECT

public:
    // The timer is the steps 1-2 window's `Timer1`; it is stopped here.
    SavedInputsRestore(PremiumSheet &sheet, SavedInputsForm &form, QTimer &timer);

    void loadSavedInputs();
    // Returns whether every stored choice was replayed.
    bool replaySavedInputs();

private:
    bool fail();

    PremiumSheet &m_sheet;
    SavedInputsForm &m_form;
    QTimer &m_timer;
    StoredChoices m_stored;
};

} // namespace karvo
