#include "wizard/PremiumWindow.h"

#include "layout/ClickableLabel.h"
#include "layout/CoveredControls.h"
#include "layout/WrappingChoice.h"
#include "model/PremiumFormula.h"
#include "model/TermAndViolation.h"
#include "notes/NoteLinks.h"
#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "wizard/Binding.h"
#include "wizard/PremiumExplanation.h"
#include "wizard/WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const std::array kOwnerOptions
    = { u"unsetOwner"_s, u"individualOwner"_s, u"legalEntityOwner"_s }; // by OwnerKind
const std::array kRegistrationOptions
    = { u"registeredInRussia"_s, u"travellingToRegistration"_s, u"foreignVehicle"_s };
const std::array kVehicleGroupOptions = { u"groupB"_s, u"groupOther"_s, u"groupTrailer"_s };

std::vector<ControlRow> premiumWindowLayout()
{
    using K = ControlKind;
    const unsigned valueBox = Bold | Centred;
    return {
        { u"step8Frame"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"КП"_s },
        { u"step8Number"_s, u"step8Frame"_s, K::Label, { 120, 240, 975, 255 }, Red, u"8 шаг из 10"_s },
        { u"termTitle"_s, u"step8Frame"_s, K::Label, { 1080, 720, 8175, 735 }, Plain,
            u"Срок страхования при осуществлении обязательного страхования гражданской ответственности "
            u"владельцев транспортных средств, зарегистрированных в иностранных государствах и временно "
            u"используемых на территории Российской Федерации"_s },
        { u"skipTermCheck"_s, u"step8Frame"_s, K::Check, { 2880, 1440, 3495, 255 }, Plain, u"Пропустить"_s },
        { u"termBox"_s, u"step8Frame"_s, K::Combo, { 2880, 1800, 3855, 315 }, Plain, {}, u"termTitle"_s },
        { u"termAmendment"_s, u"step8Frame"_s, K::Label, { 2160, 2160, 5415, 255 }, Plain,
            u"(п. 7 в ред. Постановления Правительства РФ от 29.02.2008 N 130)"_s },
        { u"kpTitle"_s, u"step8Frame"_s, K::Label, { 1800, 2480, 6615, 735 }, Bold | Large,
            u"Коэффициент страховых тарифов в зависимости от срока страхования (КП) (для владельцев "
            u"транспортных средств, зарегистрированных в иностранных государствах)"_s },
        { u"kpBox"_s, u"step8Frame"_s, K::LineEdit, { 3480, 3240, 2415, 330 }, valueBox, {}, u"kpTitle"_s },
        { u"step8Back"_s, u"step8Frame"_s, K::Button, { 3360, 3720, 1215, 375 }, Plain, texts::kBack },
        { u"step8Next"_s, u"step8Frame"_s, K::Button, { 4920, 3720, 1215, 375 }, Plain, texts::kNext },
        { u"step8ForeignHint"_s, u"step8Frame"_s, K::Label, { 4200, 4080, 1095, 255 }, kHintLook,
            texts::kChooseHint },
        { u"kpNoteLink"_s, u"step8Frame"_s, K::Link, { 3960, 4320, 1575, 375 }, kLinkLook, texts::kNote },

        { u"step9Frame"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"КН"_s },
        { u"step9Number"_s, u"step9Frame"_s, K::Label, { 240, 240, 975, 255 }, Red, u"9 шаг из 10"_s },
        { u"knRule"_s, u"step9Frame"_s, K::Label, { 1440, 240, 6735, 1095 }, Bold | Large, knRuleText() },
        { u"knNote"_s, u"step9Frame"_s, K::Label, { 1440, 2040, 6975, 375 }, Red | Centred },
        { u"knBox"_s, u"step9Frame"_s, K::LineEdit, { 3480, 3240, 2415, 330 }, valueBox, {}, u"knRule"_s },
        { u"step9Back"_s, u"step9Frame"_s, K::Button, { 3360, 3720, 1215, 375 }, Plain, texts::kBack },
        { u"step9Next"_s, u"step9Frame"_s, K::Button, { 4920, 3720, 1215, 375 }, Plain, texts::kNext },
        { u"step9ForeignHint"_s, u"step9Frame"_s, K::Label, { 3480, 4080, 2775, 255 }, kHintLook,
            texts::kPressNextHint },

        { u"step10Frame"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"Т"_s },
        { u"step10Number"_s, u"step10Frame"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"10 шаг из 10"_s },
        { u"ownerChoices"_s, u"step10Frame"_s, K::Frame, { 480, 360, 8775, 735 }, Plain, {}, {},
            u"Собственник"_s },
        { u"individualOwner"_s, u"ownerChoices"_s, K::Radio, { 120, 200, 5775, 495 }, Wrap,
            u"Физические лица и предпринематели без образования юридического лица"_s },
        { u"legalEntityOwner"_s, u"ownerChoices"_s, K::Radio, { 6120, 200, 2535, 495 }, Wrap,
            u"Юридические лица"_s },
        { u"unsetOwner"_s, u"ownerChoices"_s, K::Radio, { 8400, 240, 255, 255 }, Hidden },
        { u"registrationChoices"_s, u"step10Frame"_s, K::Frame, { 480, 1080, 8895, 2295 }, Plain, {}, {},
            u"Регистрация транспортного средства"_s },
        { u"registeredInRussia"_s, u"registrationChoices"_s, K::Radio, { 120, 200, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в Российской Федерации (за исключением случаев следования к месту "
            u"регистрации)"_s },
        { u"travellingToRegistration"_s, u"registrationChoices"_s, K::Radio, { 120, 900, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в Российской Федерации (в случае следования к месту регистрации)"_s },
        { u"foreignVehicle"_s, u"registrationChoices"_s, K::Radio, { 120, 1560, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в иностранных государствах и временно используемых на территории "
            u"Российской Федерации"_s },
        { u"vehicleGroupChoices"_s, u"step10Frame"_s, K::Frame, { 480, 3360, 8895, 2055 }, Plain, {}, {},
            u"Вид транспортного средства"_s },
        { u"groupB"_s, u"vehicleGroupChoices"_s, K::Radio, { 120, 200, 8655, 495 }, Wrap,
            u"Транспортные средства категории \"B\" (в том числе такси) (в ред.  Постановлений  "
            u"Правительства РФ  от  10.03.2009  N 225, от 13.07.2011 N 574)"_s },
        { u"groupOther"_s, u"vehicleGroupChoices"_s, K::Radio, { 120, 720, 8655, 735 }, Wrap,
            u"Транспортные средства категорий \"A\", \"C\", \"D\" (в том числе такси), троллейбусы, трамваи, "
            u"тракторы, самоходные дорожно-строительные и иные машины (в ред. Постановлений  "
            u"Правительства РФ от 10.03.2009 N225,от 13.07.2011 N 574)"_s },
        { u"groupTrailer"_s, u"vehicleGroupChoices"_s, K::Radio, { 120, 1500, 8655, 495 }, Wrap,
            u"Прицепы (в том числе полуприцепы и прицепыроспуски), за исключением принадлежащих "
            u"гражданам прицепов к легковым автомобилям"_s },
        // In the free space left of the premium's title.
        { u"journalLink"_s, u"step10Frame"_s, K::Link, { 120, 5520, 1290, 615 }, kLinkLook,
            texts::kJournalLink },
        { u"premiumTitle"_s, u"step10Frame"_s, K::Label, { 1440, 5520, 7575, 615 }, Bold | Large,
            u"Размера страховой премии, подлежащей уплате по договору обязательного страхования (Т), "
            u"руб."_s },
        { u"decreeLink"_s, u"step10Frame"_s, K::Link, { 6000, 5880, 3735, 735 }, kLinkLook,
            u"Структура и порядок применения страховщиками при определении страховой премии"_s },
        { u"saveInputsCheck"_s, u"step10Frame"_s, K::Check, { 3360, 6120, 2535, 255 }, Plain,
            u"Сохранить исходные данные"_s },
        { u"reminderCheck"_s, u"step10Frame"_s, K::Check, { 120, 6360, 3135, 435 }, Wrap, u" "_s },
        { u"premiumBox"_s, u"step10Frame"_s, K::LineEdit, { 3360, 6440, 2535, 360 }, valueBox | ReadOnly, {},
            u"premiumTitle"_s },
        { u"reminderOk"_s, u"step10Frame"_s, K::Button, { 480, 6840, 1215, 375 }, Plain, u"ОК"_s },
        { u"step10Back"_s, u"step10Frame"_s, K::Button, { 3360, 6840, 1215, 375 }, Plain, texts::kBack },
        { u"calculateButton"_s, u"step10Frame"_s, K::Button, { 4680, 6840, 1215, 375 }, Plain, u"Расчет"_s },
        // After "Расчет", in the free space between it and "Отчет в файл" and
        // in the strip above the choices: the way to the explanation, and the
        // legal maximum when Т is above it.
        { u"explanationLink"_s, u"step10Frame"_s, K::Link, { 6000, 6900, 1935, 255 }, kLinkLook | Hidden,
            texts::kExplanationLink },
        { u"maximumWarning"_s, u"step10Frame"_s, K::Label, { 480, 120, 8040, 255 }, Red | Bold | Hidden },
        { u"reportButton"_s, u"step10Frame"_s, K::Button, { 8040, 6840, 1215, 375 }, Plain,
            u"Отчет в файл"_s },
        // The report box covers step 10: its group and its "ОК" are named apart
        // from the step's own, and the reminder's "ОК".
        { u"reportBox"_s, u"step10Frame"_s, K::Frame, { 1560, 3000, 6975, 1695 }, Hidden, {}, {},
            u"Отчет в Word"_s },
        { u"reportProgress"_s, u"reportBox"_s, K::Label, { 480, 360, 5895, 375 }, Red | Bold | Huge | Centred,
            u"Формируется отчет в Word"_s },
        { u"reportOk"_s, u"reportBox"_s, K::Button, { 2880, 1080, 975, 375 }, Plain, u"ОК"_s, {},
            u"ОК: открыть отчет"_s },
    };
}

const QRect kExitButton { 8520, 7440, 1215, 375 };

} // namespace

PremiumWindow::PremiumWindow(PremiumSheet &sheet)
    : StepWindow(u"premiumWindow"_s)
    , m_sheet(sheet)
{
    build(premiumWindowLayout(), kExitButton);
    addStep(8, u"step8Frame"_s, u"step8Back"_s, u"step8Next"_s);
    addStep(9, u"step9Frame"_s, u"step9Back"_s, u"step9Next"_s);
    addStep(10, u"step10Frame"_s, u"step10Back"_s, {});
    setEnterButton(10, u"calculateButton"_s);
    m_skip = control<QCheckBox>(u"skipTermCheck"_s);
    m_terms = control<QComboBox>(u"termBox"_s);
    m_reminder = control<QCheckBox>(u"reminderCheck"_s);
    control<QWidget>(u"reportBox"_s)->setAutoFillBackground(true);
    keepCoveredControlsOutOfTabChain(control<QWidget>(u"reportBox"_s));

    bindText(control<QLineEdit>(u"kpBox"_s), m_sheet, SheetText::Kp);
    bindText(control<QLineEdit>(u"knBox"_s), m_sheet, SheetText::Kn);
    bindText(control<QLineEdit>(u"premiumBox"_s), m_sheet, SheetText::T);
    bindLabel(control<QLabel>(u"knNote"_s), m_sheet, SheetText::KnNote);

    connect(m_skip, &QCheckBox::toggled, this, [this](bool skip) {
        setSkip(m_sheet, skip);
        applySkip(skip);
    });
    connect(&m_sheet, &PremiumSheet::skipTermChanged, this, &PremiumWindow::applySkip);
    connect(m_terms, &QComboBox::activated, this, [this] { chooseTerm(m_sheet, m_terms->currentText()); });
    connect(&m_sheet, &PremiumSheet::textChanged, this, [this](SheetText field, const QString &value) {
        if (field == SheetText::Term)
            showTerm(value);
    });

    for (std::size_t i = 0; i < kOwnerOptions.size(); ++i) {
        connect(control<QRadioButton>(kOwnerOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setOwnerKind(OwnerKind(i)); });
        connect(control<QRadioButton>(kRegistrationOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setRegistrationCase(RegistrationCase(i)); });
        connect(control<QRadioButton>(kVehicleGroupOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setVehicleGroup(VehicleGroup(i)); });
    }
    connect(&m_sheet, &PremiumSheet::ownerKindChanged, this, &PremiumWindow::showOwnerKind);
    connect(&m_sheet, &PremiumSheet::registrationCaseChanged, this, &PremiumWindow::showRegistrationCase);
    connect(&m_sheet, &PremiumSheet::vehicleGroupChanged, this, &PremiumWindow::showVehicleGroup);
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &PremiumWindow::showForeignState);

    auto *saveInputs = control<QCheckBox>(u"saveInputsCheck"_s);
    saveInputs->setChecked(m_sheet.saveInputs());
    connect(saveInputs, &QCheckBox::toggled, &m_sheet, &PremiumSheet::setSaveInputs);
    connect(&m_sheet, &PremiumSheet::saveInputsChanged, saveInputs, &QCheckBox::setChecked);
    m_reminder->setChecked(m_sheet.reminderWanted());
    connect(m_reminder, &QCheckBox::toggled, &m_sheet, &PremiumSheet::setReminderWanted);
    connect(&m_sheet, &PremiumSheet::reminderWantedChanged, m_reminder, &QCheckBox::setChecked);

    connect(
        control<QPushButton>(u"calculateButton"_s), &QPushButton::clicked, this, &PremiumWindow::calculate);
    connect(control<QPushButton>(u"reportButton"_s), &QPushButton::clicked, this,
        &PremiumWindow::reportRequested);
    connect(
        control<QPushButton>(u"reminderOk"_s), &QPushButton::clicked, this, &PremiumWindow::askForReminder);
    connect(control<QPushButton>(u"reportOk"_s), &QPushButton::clicked, this,
        &PremiumWindow::reportOpenRequested);
    connect(control<ClickableLabel>(u"kpNoteLink"_s), &ClickableLabel::clicked, this,
        [] { openNote(Note::Kp, tellUser); });
    connect(control<ClickableLabel>(u"journalLink"_s), &ClickableLabel::clicked, this,
        &PremiumWindow::journalClicked);
    connect(control<ClickableLabel>(u"decreeLink"_s), &ClickableLabel::clicked, this,
        [] { openNote(Note::Decree, tellUser); });

    // The explanation belongs to the Т of the last "Расчет": whatever empties
    // Т (a change of any input, a refused "Расчет") takes it away.
    m_explanation = new PremiumExplanation(this);
    connect(&m_sheet, &PremiumSheet::textChanged, this, [this](SheetText field, const QString &value) {
        if (field == SheetText::T && value.isEmpty())
            clearExplanation();
    });
    connect(control<ClickableLabel>(u"explanationLink"_s), &ClickableLabel::clicked, m_explanation,
        &PremiumExplanation::open);
    connect(m_explanation, &PremiumExplanation::closedByUser, this,
        [this] { control<QWidget>(u"explanationLink"_s)->setFocus(Qt::OtherFocusReason); });
    connect(this, &StepWindow::backClicked, m_explanation, &QWidget::hide);

    // Built when first needed, it shows what the sheet holds by then: step 8
    // with its term list filled and nothing picked, the report box hidden.
    m_terms->clear();
    for (const TermRow &row : kpTermTable())
        m_terms->addItem(row.term);
    applySkip(m_sheet.skipTerm());
    showStep(8);
    showOwnerKind(m_sheet.ownerKind());
    showVehicleGroup(m_sheet.vehicleGroup());
    showRegistrationCase(m_sheet.registrationCase());
    showForeignState(m_sheet.foreignRegistered());
    control<QWidget>(u"reportBox"_s)->hide();
}

void PremiumWindow::applySkip(bool skip)
{
    {
        QSignalBlocker quiet(m_skip);
        m_skip->setChecked(skip);
    }
    for (const QString &name : { u"termBox"_s, u"kpTitle"_s, u"kpBox"_s })
        control<QWidget>(name)->setEnabled(!skip);
    showTerm(m_sheet.text(SheetText::Term));
}

void PremiumWindow::showTerm(const QString &term)
{
    // What is typed but not picked goes with the next change of the term.
    const int row = term.isEmpty() ? -1 : m_terms->findText(term, Qt::MatchExactly);
    m_terms->setCurrentIndex(row);
    if (row < 0)
        m_terms->clearEditText();
}

void PremiumWindow::showOwnerKind(OwnerKind kind)
{
    control<QRadioButton>(kOwnerOptions[std::size_t(kind)])->setChecked(true);
    control<QPushButton>(u"calculateButton"_s)->setEnabled(m_sheet.canCompute());
}

void PremiumWindow::showRegistrationCase(RegistrationCase registrationCase)
{
    control<QRadioButton>(kRegistrationOptions[std::size_t(registrationCase)])->setChecked(true);
}

void PremiumWindow::showVehicleGroup(VehicleGroup group)
{
    control<QRadioButton>(kVehicleGroupOptions[std::size_t(group)])->setChecked(true);
}

void PremiumWindow::showForeignState(bool on)
{
    control<QWidget>(u"step8ForeignHint"_s)->setVisible(on);
    control<QWidget>(u"step9ForeignHint"_s)->setVisible(on);
    // Only the foreign case is open to a vehicle registered abroad, and only
    // the two Russian cases to any other.
    choiceBox(control<QRadioButton>(u"registeredInRussia"_s))->setEnabled(!on);
    choiceBox(control<QRadioButton>(u"travellingToRegistration"_s))->setEnabled(!on);
    choiceBox(control<QRadioButton>(u"foreignVehicle"_s))->setEnabled(on);
}

void PremiumWindow::calculate()
{
    // Nothing is saved or explained for a calculation that did not happen.
    if (const QString refusal = computePremium(m_sheet); !refusal.isEmpty()) {
        clearExplanation();
        showMessage(refusal);
        return;
    }
    showExplanation();
    if (m_sheet.saveInputs())
        emit saveInputsRequested();
    emit calculated();
}

void PremiumWindow::showExplanation()
{
    const std::optional<PremiumBreakdown> breakdown = explainPremium(m_sheet);
    if (!breakdown) {
        clearExplanation();
        return;
    }
    m_explanation->setBreakdown(*breakdown);
    auto *warning = control<QLabel>(u"maximumWarning"_s);
    warning->setText(breakdown->exceedsMaximum ? verdictLine(*breakdown) : QString());
    warning->setVisible(breakdown->exceedsMaximum);
    control<QWidget>(u"explanationLink"_s)->show();
}

void PremiumWindow::clearExplanation()
{
    m_explanation->hide();
    auto *warning = control<QLabel>(u"maximumWarning"_s);
    warning->hide();
    warning->clear();
    control<QWidget>(u"explanationLink"_s)->hide();
}

QString PremiumWindow::explanation() const
{
    return control<QWidget>(u"explanationLink"_s)->isHidden() ? QString() : m_explanation->text();
}

void PremiumWindow::askForReminder()
{
    if (!m_sheet.reminderWanted()) {
        showMessage(texts::kTickReminderFirst);
        return;
    }
    emit reminderRequested();
}

QString PremiumWindow::reminderCaption() const
{
    return choiceCaption(m_reminder);
}

void PremiumWindow::setReminderCaption(const QString &caption)
{
    setChoiceCaption(m_reminder, caption);
}

QWidget *PremiumWindow::reportBox() const
{
    return control<QWidget>(u"reportBox"_s);
}

} // namespace karvo
