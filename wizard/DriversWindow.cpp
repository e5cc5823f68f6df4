#include "wizard/DriversWindow.h"

#include "layout/ClickableLabel.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/StepChoices.h"
#include "notes/NoteLinks.h"
#include "platform/Messages.h"
#include "wizard/Binding.h"
#include "wizard/WizardTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const QString kAmendment2011 = u"(в ред. Постановления Правительства РФ от 13.07.2011 N 574)"_s;

const QRect kExitButton { 8400, 7440, 1335, 375 };

} // namespace

// The names and texts of the rows every step of the window has: the frame,
// its step indicator, the hint of the foreign case, the note link and the two
// navigation buttons.
struct DriversWindow::StepRows
{
    QString frame, caption, indicator, indicatorText, hint, hintText, note, back, next;
};

std::vector<ControlRow> DriversWindow::stepRows(int step, const StepRows &s)
{
    using K = ControlKind;
    StepControls &controls = m_steps[std::size_t(step - kFirstStep)];
    return {
        { s.frame, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, s.caption, {}, {}, into(controls.frame) },
        { s.indicator, s.frame, K::Label, { 8640, 120, 975, 255 }, Red, s.indicatorText },
        { s.hint, s.frame, K::Label, { 240, 5520, 5775, 495 }, kHintLook, s.hintText, {}, {},
            into(controls.hint) },
        { s.back, s.frame, K::Button, { 6240, 5520, 1215, 375 }, Plain, texts::kBack, {}, {},
            into(controls.back) },
        { s.next, s.frame, K::Button, { 7680, 5520, 1215, 375 }, Plain, texts::kNext, {}, {},
            into(controls.next) },
        { s.note, s.frame, K::Link, { 7080, 6120, 1575, 375 }, kLinkLook, texts::kNote, {}, {},
            into(controls.note) },
    };
}

std::vector<ControlRow> DriversWindow::layout()
{
    using K = ControlKind;
    std::vector<ControlRow> rows;
    // A step's own controls come between its frame and its buttons and note,
    // so that Tab walks a step in reading order: choices, value, then on.
    auto addStep = [&rows](std::vector<ControlRow> common, std::vector<ControlRow> own) {
        const auto buttons = common.begin() + 3;
        rows.insert(rows.end(), common.begin(), buttons);
        rows.insert(rows.end(), own.begin(), own.end());
        rows.insert(rows.end(), buttons, common.end());
    };

    addStep(stepRows(3,
                { u"step3Frame"_s, u"КБМ"_s, u"step3Number"_s, u"3 шаг из 10"_s, u"step3ForeignHint"_s,
                    u"Нажмите кнопку  Далее>>  если не было страховых случаев"_s, u"kbmNoteLink"_s,
                    u"step3Back"_s, u"step3Next"_s }),
        {
            { u"kbmTitle"_s, u"step3Frame"_s, K::Label, { 240, 360, 8280, 1455 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от наличия или отсутствия страховых выплат при "
                u"наступлении страховых случаев, произошедших в период действия предыдущих договоров "
                u"обязательного страхования гражданской ответственности владельцев транспортных средств "
                u"(далее - договор обязательного страхования) (КБМ)"_s },
            { u"contractChoices"_s, u"step3Frame"_s, K::Frame, { 240, 1920, 3255, 975 }, Plain, {}, {},
                u"Договор страхования"_s },
            { u"firstContract"_s, u"contractChoices"_s, K::Radio, { 120, 240, 2895, 255 }, Plain,
                contractCaption(ContractKind::FirstTime), {}, {}, into(m_firstContract) },
            { u"renewalContract"_s, u"contractChoices"_s, K::Radio, { 120, 600, 2895, 255 }, Plain,
                contractCaption(ContractKind::Renewal), {}, {}, into(m_renewalContract) },
            { u"startClassTitle"_s, u"step3Frame"_s, K::Label, { 3720, 1920, 3135, 495 }, Plain,
                u"Класс на начало годового срока страхования"_s },
            { u"startClassBox"_s, u"step3Frame"_s, K::Combo, { 3720, 2460, 1215, 315 }, Plain, {},
                u"startClassTitle"_s, {}, into(m_startClass) },
            { u"kbmBox"_s, u"step3Frame"_s, K::LineEdit, { 7080, 2460, 1575, 285 }, Bold, {}, u"kbmTitle"_s,
                {}, into(m_kbmBox) },
            { u"firstContractRule"_s, u"step3Frame"_s, K::Label, { 240, 3000, 9255, 495 }, Plain,
                u"При заключении договора обязательного страхования впервые страхователю (владельцу "
                u"транспортного средства) присваивается класс 3"_s,
                {}, {}, into(m_firstContractRule) },
            // Named as captioned: a group inside another is otherwise read by the outer caption.
            { u"renewalGroup"_s, u"step3Frame"_s, K::Frame, { 240, 3600, 9255, 1695 }, Plain, u"Продление"_s,
                {}, u"Продление"_s, into(m_renewalGroup) },
            { u"payoutsTitle"_s, u"renewalGroup"_s, K::Label, { 120, 300, 3015, 255 }, Plain,
                u"Число страховых выплат"_s },
            { u"payoutsBox"_s, u"renewalGroup"_s, K::Combo, { 120, 600, 1215, 315 }, Plain, {},
                u"payoutsTitle"_s, {}, into(m_payouts) },
            { u"endClassTitle"_s, u"renewalGroup"_s, K::Label, { 3480, 300, 5655, 735 }, Plain,
                u"Класс по окончании годового срока страхования с учетом наличия страховых случаев, "
                u"произошедших в период действия предыдущих договоров обязательного страхования"_s },
            { u"endClassBox"_s, u"renewalGroup"_s, K::LineEdit, { 3480, 1140, 1215, 315 }, Bold, {},
                u"endClassTitle"_s, {}, into(m_endClass) },
        });

    addStep(stepRows(4,
                { u"step4Frame"_s, u"КО"_s, u"step4Number"_s, u"4 шаг из 10"_s, u"step4ForeignHint"_s,
                    texts::kPressNextHint, u"koNoteLink"_s, u"step4Back"_s, u"step4Next"_s }),
        {
            { u"koTitle"_s, u"step4Frame"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от наличия сведений о количестве лиц, "
                u"допущенных к управлению транспортным средством (КО)"_s },
            { u"driversLimited"_s, u"step4Frame"_s, K::Radio, { 240, 1320, 5895, 735 }, Wrap,
                koChoices()[0].caption, {}, {}, into(m_driversLimited) },
            { u"driversUnlimited"_s, u"step4Frame"_s, K::Radio, { 240, 2160, 5895, 975 }, Wrap,
                koChoices()[1].caption, {}, {}, into(m_driversUnlimited) },
            { u"koBox"_s, u"step4Frame"_s, K::LineEdit, { 6600, 1560, 1695, 285 }, Bold, {}, u"koTitle"_s, {},
                into(m_koBox) },
        });

    addStep(stepRows(5,
                { u"step5Frame"_s, u"КВС"_s, u"step5Number"_s, u"5 шаг из 10"_s, u"step5ForeignHint"_s,
                    texts::kPressNextHint, u"kvsNoteLink"_s, u"step5Back"_s, u"step5Next"_s }),
        {
            { u"kvsTitle"_s, u"step5Frame"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от возраста и стажа водителя, допущенного к "
                u"управлению транспортным средством (КВС)"_s },
            { u"kvsAmendment"_s, u"step5Frame"_s, K::Label, { 240, 1140, 8280, 255 }, Plain, kAmendment2011 },
            { u"kvsListTitle"_s, u"step5Frame"_s, K::Label, { 240, 1560, 5895, 255 }, Plain,
                u"Возраст и стаж водителя транспортного средства "_s },
            { u"kvsList"_s, u"step5Frame"_s, K::List, { 240, 1860, 5895, 1215 }, Plain, {}, u"kvsListTitle"_s,
                {}, into(m_kvsList) },
            { u"kvsBox"_s, u"step5Frame"_s, K::LineEdit, { 6600, 1860, 1695, 285 }, Bold, {}, u"kvsTitle"_s,
                {}, into(m_kvsBox) },
        });

    addStep(stepRows(6,
                { u"step6Frame"_s, u"КМ"_s, u"step6Number"_s, u"6 шаг из 10"_s, u"step6ForeignHint"_s,
                    texts::kChooseHint, u"kmNoteLink"_s, u"step6Back"_s, u"step6Next"_s }),
        {
            { u"kmTitle"_s, u"step6Frame"_s, K::Label, { 240, 360, 8280, 1095 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от технических характеристик транспортного "
                u"средства, в частности мощности двигателя легкового автомобиля (транспортные средства "
                u"категории \"B\") (КМ)"_s },
            { u"kmAmendment"_s, u"step6Frame"_s, K::Label, { 240, 1500, 8280, 255 }, Plain, kAmendment2011 },
            { u"kmListTitle"_s, u"step6Frame"_s, K::Label, { 240, 1920, 4215, 255 }, Plain,
                u"Мощность двигателя (лошадиных сил)"_s },
            { u"kmList"_s, u"step6Frame"_s, K::List, { 240, 2220, 4215, 1575 }, Plain, {}, u"kmListTitle"_s,
                {}, into(m_kmList) },
            { u"firstKilowatts"_s, u"step6Frame"_s, K::Label, { 4680, 2220, 1815, 255 }, Plain, {}, {}, {},
                into(m_firstKilowatts) },
            { u"secondKilowatts"_s, u"step6Frame"_s, K::Label, { 4680, 2580, 1815, 255 }, Plain, {}, {}, {},
                into(m_secondKilowatts) },
            { u"kmBox"_s, u"step6Frame"_s, K::LineEdit, { 6840, 2220, 1455, 285 }, Bold, {}, u"kmTitle"_s, {},
                into(m_kmBox) },
        });

    addStep(stepRows(7,
                { u"step7Frame"_s, u"КС"_s, u"step7Number"_s, u"7 шаг из 10"_s, u"step7ForeignHint"_s,
                    texts::kPressNextHint, u"ksNoteLink"_s, u"step7Back"_s, u"step7Next"_s }),
        {
            { u"ksTitle"_s, u"step7Frame"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от периода использования транспортного "
                u"средства (КС)"_s },
            { u"ksAmendment"_s, u"step7Frame"_s, K::Label, { 240, 1140, 8280, 255 }, Plain,
                u"(п. 7 в ред. Постановления Правительства РФ от 29.02.2008 N 130)"_s },
            { u"periodTitle"_s, u"step7Frame"_s, K::Label, { 240, 1560, 5895, 255 }, Plain,
                u"Период использования транспортного средства "_s },
            { u"periodBox"_s, u"step7Frame"_s, K::Combo, { 240, 1860, 3255, 315 }, Plain, {},
                u"periodTitle"_s, {}, into(m_period) },
            { u"ksBox"_s, u"step7Frame"_s, K::LineEdit, { 6600, 1860, 1695, 285 }, Bold, {}, u"ksTitle"_s, {},
                into(m_ksBox) },
        });
    return rows;
}

DriversWindow::DriversWindow(PremiumSheet &sheet)
    : StepWindow(u"driversWindow"_s)
    , m_sheet(sheet)
{
    build(layout(), kExitButton);
    for (std::size_t i = 0; i < m_steps.size(); ++i)
        addStep(kFirstStep + int(i), m_steps[i].frame, m_steps[i].back, m_steps[i].next);

    m_startClass->addItems(bonusMalusClasses());
    m_payouts->addItems(payoutCounts());
    for (const KsRow &row : ksRows())
        m_period->addItem(row.period);
    bindComboText(m_startClass, m_sheet, SheetText::StartClass);
    bindComboText(m_payouts, m_sheet, SheetText::Payouts);
    bindComboText(m_period, m_sheet, SheetText::Period);
    bindText(m_endClass, m_sheet, SheetText::EndClass);

    bindText(m_kbmBox, m_sheet, SheetText::Kbm);
    bindText(m_koBox, m_sheet, SheetText::Ko);
    bindText(m_kvsBox, m_sheet, SheetText::Kvs);
    bindText(m_kmBox, m_sheet, SheetText::Km);
    bindText(m_ksBox, m_sheet, SheetText::Ks);

    connect(m_firstContract, &QRadioButton::clicked, this,
        [this] { selectContractKind(m_sheet, ContractKind::FirstTime); });
    connect(m_renewalContract, &QRadioButton::clicked, this,
        [this] { selectContractKind(m_sheet, ContractKind::Renewal); });
    connect(m_startClass, &QComboBox::activated, this, [this] { applyStartClass(m_sheet); });
    connect(m_payouts, &QComboBox::activated, this, [this] { applyPayouts(m_sheet); });
    connect(m_driversLimited, &QRadioButton::clicked, this, [this] { chooseKo(m_sheet, 0); });
    connect(m_driversUnlimited, &QRadioButton::clicked, this, [this] { chooseKo(m_sheet, 1); });
    connect(m_kvsList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            chooseKvs(m_sheet, m_kvsList->item(row)->text());
    });
    connect(m_kmList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            chooseKm(m_sheet, m_kmList->item(row)->text());
    });
    connect(&m_sheet, &PremiumSheet::contractKindChanged, this, &DriversWindow::showContractKind);
    connect(&m_sheet, &PremiumSheet::driversLimitChanged, this, &DriversWindow::showKo);
    connect(&m_sheet, &PremiumSheet::kvsRowChanged, this, &DriversWindow::showKvs);
    connect(&m_sheet, &PremiumSheet::kmRowChanged, this, &DriversWindow::showKm);
    connect(m_period, &QComboBox::activated, this,
        [this] { chooseKs(m_sheet, m_sheet.text(SheetText::Period)); });

    // By step, 3 to 7.
    const std::array notes = { Note::Kbm, Note::Ko, Note::Kvs, Note::Km, Note::Ks };
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        connect(
            m_steps[i].note, &ClickableLabel::clicked, this, [note = notes[i]] { openNote(note, tellUser); });
    }
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &DriversWindow::showForeignState);

    // Built when first needed, it shows the sheet: step 3 visible, the lists
    // filled with the sheet's rows chosen, the power also in kilowatts.
    showStep(3);
    for (const KvsRow &row : kvsRows())
        m_kvsList->addItem(row.item);
    for (const KmRow &row : kmRows())
        m_kmList->addItem(row.item);
    showContractKind(m_sheet.contractKind());
    showKo(m_sheet.driversLimit());
    showKvs(m_sheet.kvsRow());
    showKm(m_sheet.kmRow());
    showForeignState(m_sheet.foreignRegistered());
}

void DriversWindow::showContractKind(ContractKind kind)
{
    const bool firstTime = kind == ContractKind::FirstTime;
    (firstTime ? m_firstContract : m_renewalContract)->setChecked(true);
    m_firstContractRule->setVisible(firstTime);
    m_renewalGroup->setEnabled(!firstTime);
}

void DriversWindow::showKo(DriversLimit limit)
{
    (limit == DriversLimit::Limited ? m_driversLimited : m_driversUnlimited)->setChecked(true);
}

void DriversWindow::showKvs(int row)
{
    const QSignalBlocker quiet(m_kvsList);
    m_kvsList->setCurrentRow(row);
}

void DriversWindow::showKm(int row)
{
    {
        const QSignalBlocker quiet(m_kmList);
        m_kmList->setCurrentRow(row);
    }
    const PowerKilowatts kilowatts = powerKilowatts(row);
    m_firstKilowatts->setText(kilowatts.first);
    m_secondKilowatts->setText(kilowatts.second);
}

void DriversWindow::showForeignState(bool on)
{
    for (const StepControls &step : m_steps)
        step.hint->setVisible(on);
}

} // namespace karvo
