#include "wizard/Form3.h"

#include "layout/ClickableLabel.h"
#include "layout/WrappingChoice.h"
#include "model/Money.h"
#include "model/PremiumFormula.h"
#include "model/TermAndViolation.h"
#include "notes/NoteLinks.h"
#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderDate.h"
#include "wizard/Binding.h"
#include "wizard/PremiumExplanation.h"
#include "wizard/WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const std::array kOwnerOptions = { u"Option3"_s, u"Option1"_s, u"Option2"_s }; // by OwnerKind
const std::array kRegistrationOptions = { u"Option4"_s, u"Option5"_s, u"Option6"_s };
const std::array kVehicleGroupOptions = { u"Option7"_s, u"Option8"_s, u"Option9"_s };

std::vector<ControlRow> form3Layout()
{
    using K = ControlKind;
    const unsigned valueBox = Bold | Centred;
    return {
        { u"Frame7"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"КП"_s },
        { u"Label5"_s, u"Frame7"_s, K::Label, { 120, 240, 975, 255 }, Red, u"8 шаг из 10"_s },
        { u"Label17"_s, u"Frame7"_s, K::Label, { 1080, 720, 8175, 735 }, Plain,
            u"Срок страхования при осуществлении обязательного страхования гражданской ответственности "
            u"владельцев транспортных средств, зарегистрированных в иностранных государствах и временно "
            u"используемых на территории Российской Федерации"_s },
        { u"Check1"_s, u"Frame7"_s, K::Check, { 2880, 1440, 3495, 255 }, Plain, u"Пропустить"_s },
        { u"Combo1"_s, u"Frame7"_s, K::Combo, { 2880, 1800, 3855, 315 }, Plain, {}, u"Label17"_s },
        { u"Label19"_s, u"Frame7"_s, K::Label, { 2160, 2160, 5415, 255 }, Plain,
            u"(п. 7 в ред. Постановления Правительства РФ от 29.02.2008 N 130)"_s },
        { u"Label18"_s, u"Frame7"_s, K::Label, { 1800, 2480, 6615, 735 }, Bold | Large,
            u"Коэффициент страховых тарифов в зависимости от срока страхования (КП) (для владельцев "
            u"транспортных средств, зарегистрированных в иностранных государствах)"_s },
        { u"Text1"_s, u"Frame7"_s, K::LineEdit, { 3480, 3240, 2415, 330 }, valueBox, {}, u"Label18"_s },
        { u"Command11"_s, u"Frame7"_s, K::Button, { 3360, 3720, 1215, 375 }, Plain, texts::kBack },
        { u"Command10"_s, u"Frame7"_s, K::Button, { 4920, 3720, 1215, 375 }, Plain, texts::kNext },
        { u"Label29"_s, u"Frame7"_s, K::Label, { 4200, 4080, 1095, 255 }, kHintLook, texts::kChooseHint },
        { u"Label16"_s, u"Frame7"_s, K::Link, { 3960, 4320, 1575, 375 }, kLinkLook, texts::kNote },

        { u"Frame1"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"КН"_s },
        { u"Label6"_s, u"Frame1"_s, K::Label, { 240, 240, 975, 255 }, Red, u"9 шаг из 10"_s },
        { u"Label1"_s, u"Frame1"_s, K::Label, { 1440, 240, 6735, 1095 }, Bold | Large, knRuleText() },
        { u"Label2"_s, u"Frame1"_s, K::Label, { 1440, 2040, 6975, 375 }, Red | Centred },
        { u"Text2"_s, u"Frame1"_s, K::LineEdit, { 3480, 3240, 2415, 330 }, valueBox, {}, u"Label1"_s },
        { u"Command1"_s, u"Frame1"_s, K::Button, { 3360, 3720, 1215, 375 }, Plain, texts::kBack },
        { u"Command2"_s, u"Frame1"_s, K::Button, { 4920, 3720, 1215, 375 }, Plain, texts::kNext },
        { u"Label8"_s, u"Frame1"_s, K::Label, { 3480, 4080, 2775, 255 }, kHintLook, texts::kPressNextHint },

        { u"Frame2"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, u"Т"_s },
        { u"Label7"_s, u"Frame2"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"10 шаг из 10"_s },
        { u"Frame3"_s, u"Frame2"_s, K::Frame, { 480, 360, 8775, 735 } },
        { u"Option1"_s, u"Frame3"_s, K::Radio, { 120, 200, 5775, 495 }, Wrap,
            u"Физические лица и предпринематели без образования юридического лица"_s },
        { u"Option2"_s, u"Frame3"_s, K::Radio, { 6120, 200, 2535, 495 }, Wrap, u"Юридические лица"_s },
        { u"Option3"_s, u"Frame3"_s, K::Radio, { 8400, 240, 255, 255 }, Hidden },
        { u"Frame4"_s, u"Frame2"_s, K::Frame, { 480, 1080, 8895, 2295 } },
        { u"Option4"_s, u"Frame4"_s, K::Radio, { 120, 200, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в Российской Федерации (за исключением случаев следования к месту "
            u"регистрации)"_s },
        { u"Option5"_s, u"Frame4"_s, K::Radio, { 120, 900, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в Российской Федерации (в случае следования к месту регистрации)"_s },
        { u"Option6"_s, u"Frame4"_s, K::Radio, { 120, 1560, 8655, 615 }, Wrap,
            u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
            u"зарегистрированных в иностранных государствах и временно используемых на территории "
            u"Российской Федерации"_s },
        { u"Frame5"_s, u"Frame2"_s, K::Frame, { 480, 3360, 8895, 2055 } },
        { u"Option7"_s, u"Frame5"_s, K::Radio, { 120, 200, 8655, 495 }, Wrap,
            u"Транспортные средства категории \"B\" (в том числе такси) (в ред.  Постановлений  "
            u"Правительства РФ  от  10.03.2009  N 225, от 13.07.2011 N 574)"_s },
        { u"Option8"_s, u"Frame5"_s, K::Radio, { 120, 720, 8655, 735 }, Wrap,
            u"Транспортные средства категорий \"A\", \"C\", \"D\" (в том числе такси), троллейбусы, трамваи, "
            u"тракторы, самоходные дорожно-строительные и иные машины (в ред. Постановлений  "
            u"Правительства РФ от 10.03.2009 N225,от 13.07.2011 N 574)"_s },
        { u"Option9"_s, u"Frame5"_s, K::Radio, { 120, 1500, 8655, 495 }, Wrap,
            u"Прицепы (в том числе полуприцепы и прицепыроспуски), за исключением принадлежащих "
            u"гражданам прицепов к легковым автомобилям"_s },
        { u"Label3"_s, u"Frame2"_s, K::Label, { 1440, 5520, 7575, 615 }, Bold | Large,
            u"Размера страховой премии, подлежащей уплате по договору обязательного страхования (Т), "
            u"руб."_s },
        { u"Label45"_s, u"Frame2"_s, K::Link, { 6000, 5880, 3735, 735 }, kLinkLook,
            u"Структура и порядок применения страховщиками при определении страховой премии"_s },
        { u"Command6"_s, u"Frame2"_s, K::Button, { 5640, 5760, 735, 255 }, Hidden, u"Command6"_s },
        { u"Check2"_s, u"Frame2"_s, K::Check, { 3360, 6120, 2535, 255 }, Plain,
            u"Сохранить исходные данные"_s },
        { u"Check3"_s, u"Frame2"_s, K::Check, { 120, 6360, 3135, 435 }, Wrap, u" "_s },
        { u"Text3"_s, u"Frame2"_s, K::LineEdit, { 3360, 6440, 2535, 360 }, valueBox | ReadOnly, {},
            u"Label3"_s },
        { u"Command9"_s, u"Frame2"_s, K::Button, { 480, 6840, 1215, 375 }, Plain, u"ОК"_s },
        { u"Command5"_s, u"Frame2"_s, K::Button, { 3360, 6840, 1215, 375 }, Plain, texts::kBack },
        { u"Command3"_s, u"Frame2"_s, K::Button, { 4680, 6840, 1215, 375 }, Plain, u"Расчет"_s },
        // After "Расчет", in the free space between it and "Отчет в файл" and
        // in the strip above the choices: the way to the explanation, and the
        // legal maximum when Т is above it.
        { u"ExplanationLink"_s, u"Frame2"_s, K::Link, { 6000, 6900, 1935, 255 }, kLinkLook | Hidden,
            texts::kExplanationLink },
        { u"MaximumWarning"_s, u"Frame2"_s, K::Label, { 480, 120, 8040, 255 }, Red | Bold | Hidden },
        { u"Command8"_s, u"Frame2"_s, K::Button, { 8040, 6840, 1215, 375 }, Plain, u"Отчет в файл"_s },
        { u"Frame6"_s, u"Frame2"_s, K::Frame, { 1560, 3000, 6975, 1695 }, Hidden },
        { u"Label13"_s, u"Frame6"_s, K::Label, { 480, 360, 5895, 375 }, Red | Bold | Huge | Centred,
            u"Формируется отчет в Word"_s },
        { u"Command12"_s, u"Frame6"_s, K::Button, { 2880, 1080, 975, 375 }, Plain, u"ОК"_s },
        { u"Label12"_s, {}, K::Label, { 3840, 9000, 2415, 375 }, Hidden },
    };
}

const FooterNames kFooter { u"Label21"_s, u"Label24"_s, u"Label87"_s, { 8520, 7440, 1215, 375 } };

} // namespace

Form3::Form3(PremiumSheet &sheet, const QString &rememberedReminder)
    : StepWindow(u"Form3"_s)
    , m_sheet(sheet)
{
    build(form3Layout(), kFooter);
    addStep(8, u"Frame7"_s, u"Command11"_s, u"Command10"_s);
    addStep(9, u"Frame1"_s, u"Command1"_s, u"Command2"_s);
    addStep(10, u"Frame2"_s, u"Command5"_s, {});
    setEnterButton(10, u"Command3"_s);
    m_skip = control<QCheckBox>(u"Check1"_s);
    m_terms = control<QComboBox>(u"Combo1"_s);
    m_reminder = control<QCheckBox>(u"Check3"_s);
    control<QWidget>(u"Frame6"_s)->setAutoFillBackground(true);

    bindText(control<QLineEdit>(u"Text1"_s), m_sheet, SheetText::Kp);
    bindText(control<QLineEdit>(u"Text2"_s), m_sheet, SheetText::Kn);
    bindText(control<QLineEdit>(u"Text3"_s), m_sheet, SheetText::T);
    bindLabel(control<QLabel>(u"Label2"_s), m_sheet, SheetText::KnNote);

    connect(m_skip, &QCheckBox::toggled, this, [this](bool skip) {
        setSkip(m_sheet, skip);
        applySkip(skip);
    });
    connect(&m_sheet, &PremiumSheet::skipTermChanged, this, &Form3::applySkip);
    connect(m_terms, &QComboBox::activated, this, [this] { chooseTerm(m_sheet, m_terms->currentText()); });

    for (std::size_t i = 0; i < kOwnerOptions.size(); ++i) {
        connect(control<QRadioButton>(kOwnerOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setOwnerKind(OwnerKind(i)); });
        connect(control<QRadioButton>(kRegistrationOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setRegistrationCase(RegistrationCase(i)); });
        connect(control<QRadioButton>(kVehicleGroupOptions[i]), &QRadioButton::clicked, this,
            [this, i] { m_sheet.setVehicleGroup(VehicleGroup(i)); });
    }
    connect(&m_sheet, &PremiumSheet::ownerKindChanged, this, &Form3::showOwnerKind);
    connect(&m_sheet, &PremiumSheet::registrationCaseChanged, this, &Form3::showRegistrationCase);
    connect(&m_sheet, &PremiumSheet::vehicleGroupChanged, this, &Form3::showVehicleGroup);
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &Form3::showForeignState);

    auto *saveInputs = control<QCheckBox>(u"Check2"_s);
    saveInputs->setChecked(m_sheet.saveInputs());
    connect(saveInputs, &QCheckBox::toggled, &m_sheet, &PremiumSheet::setSaveInputs);
    connect(&m_sheet, &PremiumSheet::saveInputsChanged, saveInputs, &QCheckBox::setChecked);

    connect(control<QPushButton>(u"Command3"_s), &QPushButton::clicked, this, &Form3::calculate);
    connect(control<QPushButton>(u"Command6"_s), &QPushButton::clicked, this, &Form3::saveInputsRequested);
    connect(control<QPushButton>(u"Command8"_s), &QPushButton::clicked, this, &Form3::reportRequested);
    connect(control<QPushButton>(u"Command9"_s), &QPushButton::clicked, this, &Form3::askForReminder);
    connect(control<QPushButton>(u"Command12"_s), &QPushButton::clicked, this, &Form3::reportOpenRequested);
    connect(
        control<ClickableLabel>(u"Label16"_s), &ClickableLabel::clicked, this, [] { openNote(Note::Kp); });
    connect(control<ClickableLabel>(u"Label45"_s), &ClickableLabel::clicked, this,
        [] { openNote(Note::Decree); });

    // The explanation belongs to the sheet of the last "Расчет": any change
    // that can change Т takes it away.
    m_explanation = new PremiumExplanation(this);
    connect(&m_sheet, &PremiumSheet::textChanged, this, [this](SheetText field) {
        if (int(field) < int(kAllCoefficients.size()))
            clearExplanation();
    });
    connect(&m_sheet, &PremiumSheet::ownerKindChanged, this, &Form3::clearExplanation);
    connect(&m_sheet, &PremiumSheet::registrationCaseChanged, this, &Form3::clearExplanation);
    connect(&m_sheet, &PremiumSheet::vehicleGroupChanged, this, &Form3::clearExplanation);
    connect(control<ClickableLabel>(u"ExplanationLink"_s), &ClickableLabel::clicked, m_explanation,
        &PremiumExplanation::open);
    connect(m_explanation, &PremiumExplanation::closedByUser, this,
        [this] { control<QWidget>(u"ExplanationLink"_s)->setFocus(Qt::OtherFocusReason); });
    connect(this, &StepWindow::backClicked, m_explanation, &QWidget::hide);

    // Creation: step 8 skipped with its term list filled, the owner kind
    // unset and group B, the hints and the report box hidden, the reminder
    // check as remembered, the time of loading kept for the report.
    {
        QSignalBlocker quiet(m_skip);
        m_skip->setChecked(true);
    }
    setSkip(m_sheet, true);
    applySkip(true);
    m_terms->clear();
    for (const TermRow &row : kpTermTable())
        m_terms->addItem(row.term);
    m_terms->setCurrentIndex(-1);
    m_terms->clearEditText();
    showStep(8);
    m_sheet.setOwnerKind(OwnerKind::Unset);
    showOwnerKind(m_sheet.ownerKind());
    m_sheet.setVehicleGroup(VehicleGroup::GroupB);
    showVehicleGroup(m_sheet.vehicleGroup());
    showRegistrationCase(m_sheet.registrationCase());
    showForeignState(m_sheet.foreignRegistered());
    const std::optional<Money> reminder = Money::parse(rememberedReminder);
    setReminderWanted(reminder && *reminder == Money::fromInt(1));
    control<QLabel>(u"Label12"_s)->setText(shortTimeText(QTime::currentTime()));
    control<QWidget>(u"Frame6"_s)->hide();
}

void Form3::applySkip(bool skip)
{
    {
        QSignalBlocker quiet(m_skip);
        m_skip->setChecked(skip);
    }
    for (const QString &name : { u"Combo1"_s, u"Label18"_s, u"Text1"_s })
        control<QWidget>(name)->setEnabled(!skip);
    m_terms->setCurrentIndex(-1);
    m_terms->clearEditText();
}

void Form3::showOwnerKind(OwnerKind kind)
{
    control<QRadioButton>(kOwnerOptions[std::size_t(kind)])->setChecked(true);
    control<QPushButton>(u"Command3"_s)->setEnabled(m_sheet.canCompute());
}

void Form3::showRegistrationCase(RegistrationCase registrationCase)
{
    control<QRadioButton>(kRegistrationOptions[std::size_t(registrationCase)])->setChecked(true);
}

void Form3::showVehicleGroup(VehicleGroup group)
{
    control<QRadioButton>(kVehicleGroupOptions[std::size_t(group)])->setChecked(true);
}

void Form3::showForeignState(bool on)
{
    control<QWidget>(u"Label29"_s)->setVisible(on);
    control<QWidget>(u"Label8"_s)->setVisible(on);
    // Only the foreign case is open to a vehicle registered abroad, and only
    // the two Russian cases to any other.
    choiceBox(control<QRadioButton>(u"Option4"_s))->setEnabled(!on);
    choiceBox(control<QRadioButton>(u"Option5"_s))->setEnabled(!on);
    choiceBox(control<QRadioButton>(u"Option6"_s))->setEnabled(on);
}

void Form3::calculate()
{
    // A coefficient that is not a number leaves Т as it was, and nothing is
    // saved or explained for a calculation that did not happen.
    if (!computePremium(m_sheet)) {
        clearExplanation();
        return;
    }
    showExplanation();
    if (m_sheet.saveInputs())
        control<QPushButton>(u"Command6"_s)->click();
}

void Form3::showExplanation()
{
    const std::optional<PremiumBreakdown> breakdown = explainPremium(m_sheet);
    if (!breakdown) {
        clearExplanation();
        return;
    }
    m_explanation->setBreakdown(*breakdown);
    auto *warning = control<QLabel>(u"MaximumWarning"_s);
    warning->setText(breakdown->exceedsMaximum ? verdictLine(*breakdown) : QString());
    warning->setVisible(breakdown->exceedsMaximum);
    control<QWidget>(u"ExplanationLink"_s)->show();
}

void Form3::clearExplanation()
{
    m_explanation->hide();
    auto *warning = control<QLabel>(u"MaximumWarning"_s);
    warning->hide();
    warning->clear();
    control<QWidget>(u"ExplanationLink"_s)->hide();
}

QString Form3::explanation() const
{
    return control<QWidget>(u"ExplanationLink"_s)->isHidden() ? QString() : m_explanation->text();
}

void Form3::askForReminder()
{
    if (!m_reminder->isChecked()) {
        showMessage(texts::kTickReminderFirst);
        return;
    }
    emit reminderRequested();
}

QString Form3::reminderCaption() const
{
    return choiceCaption(m_reminder);
}

void Form3::setReminderCaption(const QString &caption)
{
    setChoiceCaption(m_reminder, caption);
}

bool Form3::reminderWanted() const
{
    return m_reminder->isChecked();
}

void Form3::setReminderWanted(bool wanted)
{
    m_reminder->setChecked(wanted);
}

QString Form3::loadTime() const
{
    return control<QLabel>(u"Label12"_s)->text();
}

QWidget *Form3::reportBox() const
{
    return control<QWidget>(u"Frame6"_s);
}

} // namespace karvo
