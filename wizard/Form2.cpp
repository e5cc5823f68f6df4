#include "wizard/Form2.h"

#include "layout/ClickableLabel.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "notes/NoteLinks.h"
#include "wizard/Binding.h"
#include "wizard/WizardTexts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const QString kAmendment2011 = u"(в ред. Постановления Правительства РФ от 13.07.2011 N 574)"_s;

// Rows every step of the window has: the frame, its step indicator, the hint
// of the foreign case, the note link and the two navigation buttons.
struct StepRows
{
    QString frame, caption, indicator, indicatorText, hint, hintText, note, back, next;
};

std::vector<ControlRow> stepRows(const StepRows &s)
{
    using K = ControlKind;
    return {
        { s.frame, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, s.caption },
        { s.indicator, s.frame, K::Label, { 8640, 120, 975, 255 }, Red, s.indicatorText },
        { s.hint, s.frame, K::Label, { 240, 5520, 5775, 495 }, kHintLook, s.hintText },
        { s.back, s.frame, K::Button, { 6240, 5520, 1215, 375 }, Plain, texts::kBack },
        { s.next, s.frame, K::Button, { 7680, 5520, 1215, 375 }, Plain, texts::kNext },
        { s.note, s.frame, K::Link, { 7080, 6120, 1575, 375 }, kLinkLook, texts::kNote },
    };
}

std::vector<ControlRow> form2Layout()
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

    addStep(stepRows({ u"Frame2"_s, u"КБМ"_s, u"Label20"_s, u"3 шаг из 10"_s, u"Label26"_s,
                u"Нажмите кнопку  Далее>>  если не было страховых случаев"_s, u"Label5"_s, u"Command3"_s,
                u"Command2"_s }),
        {
            { u"Label22"_s, u"Frame2"_s, K::Label, { 240, 360, 8280, 1455 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от наличия или отсутствия страховых выплат при "
                u"наступлении страховых случаев, произошедших в период действия предыдущих договоров "
                u"обязательного страхования гражданской ответственности владельцев транспортных средств "
                u"(далее - договор обязательного страхования) (КБМ)"_s },
            { u"Frame4"_s, u"Frame2"_s, K::Frame, { 240, 1920, 3255, 975 } },
            { u"Option10"_s, u"Frame4"_s, K::Radio, { 120, 240, 2895, 255 }, Plain,
                u"Заключается в первые"_s },
            { u"Option11"_s, u"Frame4"_s, K::Radio, { 120, 600, 2895, 255 }, Plain, u"Продлевается"_s },
            { u"Label2"_s, u"Frame2"_s, K::Label, { 3720, 1920, 3135, 495 }, Plain,
                u"Класс на начало годового срока страхования"_s },
            { u"Combo1"_s, u"Frame2"_s, K::Combo, { 3720, 2460, 1215, 315 }, Plain, {}, u"Label2"_s },
            { u"Text4"_s, u"Frame2"_s, K::LineEdit, { 7080, 2460, 1575, 285 }, Bold, {}, u"Label22"_s },
            { u"Label48"_s, u"Frame2"_s, K::Label, { 240, 3000, 9255, 495 }, Plain,
                u"При заключении договора обязательного страхования впервые страхователю (владельцу "
                u"транспортного средства) присваивается класс 3"_s },
            { u"Frame1"_s, u"Frame2"_s, K::Frame, { 240, 3600, 9255, 1695 }, Plain, u"Продление"_s },
            { u"Label1"_s, u"Frame1"_s, K::Label, { 120, 300, 3015, 255 }, Plain,
                u"Число страховых выплат"_s },
            { u"Combo5"_s, u"Frame1"_s, K::Combo, { 120, 600, 1215, 315 }, Plain, {}, u"Label1"_s },
            { u"Label3"_s, u"Frame1"_s, K::Label, { 3480, 300, 5655, 735 }, Plain,
                u"Класс по окончании годового срока страхования с учетом наличия страховых случаев, "
                u"произошедших в период действия предыдущих договоров обязательного страхования"_s },
            { u"Text13"_s, u"Frame1"_s, K::LineEdit, { 3480, 1140, 1215, 315 }, Bold, {}, u"Label3"_s },
        });

    addStep(stepRows({ u"Frame3"_s, u"КО"_s, u"Label21"_s, u"4 шаг из 10"_s, u"Label27"_s,
                texts::kPressNextHint, u"Label45"_s, u"Command5"_s, u"Command1"_s }),
        {
            { u"Label4"_s, u"Frame3"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от наличия сведений о количестве лиц, "
                u"допущенных к управлению транспортным средством (КО)"_s },
            { u"Option1"_s, u"Frame3"_s, K::Radio, { 240, 1320, 5895, 735 }, Wrap, koChoices()[0].caption },
            { u"Option2"_s, u"Frame3"_s, K::Radio, { 240, 2160, 5895, 975 }, Wrap, koChoices()[1].caption },
            { u"Text1"_s, u"Frame3"_s, K::LineEdit, { 6600, 1560, 1695, 285 }, Bold, {}, u"Label4"_s },
        });

    addStep(stepRows({ u"Frame5"_s, u"КВС"_s, u"Label23"_s, u"5 шаг из 10"_s, u"Label28"_s,
                texts::kPressNextHint, u"Label8"_s, u"Command6"_s, u"Command7"_s }),
        {
            { u"Label7"_s, u"Frame5"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от возраста и стажа водителя, допущенного к "
                u"управлению транспортным средством (КВС)"_s },
            { u"Label9"_s, u"Frame5"_s, K::Label, { 240, 1140, 8280, 255 }, Plain, kAmendment2011 },
            { u"Label6"_s, u"Frame5"_s, K::Label, { 240, 1560, 5895, 255 }, Plain,
                u"Возраст и стаж водителя транспортного средства "_s },
            { u"List10"_s, u"Frame5"_s, K::List, { 240, 1860, 5895, 1215 }, Plain, {}, u"Label6"_s },
            { u"Text5"_s, u"Frame5"_s, K::LineEdit, { 6600, 1860, 1695, 285 }, Bold, {}, u"Label7"_s },
        });

    addStep(stepRows({ u"Frame6"_s, u"КМ"_s, u"Label24"_s, u"6 шаг из 10"_s, u"Label29"_s, texts::kChooseHint,
                u"Label11"_s, u"Command9"_s, u"Command8"_s }),
        {
            { u"Label12"_s, u"Frame6"_s, K::Label, { 240, 360, 8280, 1095 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от технических характеристик транспортного "
                u"средства, в частности мощности двигателя легкового автомобиля (транспортные средства "
                u"категории \"B\") (КМ)"_s },
            { u"Label10"_s, u"Frame6"_s, K::Label, { 240, 1500, 8280, 255 }, Plain, kAmendment2011 },
            { u"Label13"_s, u"Frame6"_s, K::Label, { 240, 1920, 4215, 255 }, Plain,
                u"Мощность двигателя (лошадиных сил)"_s },
            { u"List1"_s, u"Frame6"_s, K::List, { 240, 2220, 4215, 1575 }, Plain, {}, u"Label13"_s },
            { u"Label14"_s, u"Frame6"_s, K::Label, { 4680, 2220, 1815, 255 } },
            { u"Label15"_s, u"Frame6"_s, K::Label, { 4680, 2580, 1815, 255 } },
            { u"Text3"_s, u"Frame6"_s, K::LineEdit, { 4680, 3000, 975, 285 }, Hidden },
            { u"Text6"_s, u"Frame6"_s, K::LineEdit, { 5760, 3000, 975, 285 }, Hidden },
            { u"Text2"_s, u"Frame6"_s, K::LineEdit, { 6840, 2220, 1455, 285 }, Bold, {}, u"Label12"_s },
        });

    addStep(stepRows({ u"Frame7"_s, u"КС"_s, u"Label25"_s, u"7 шаг из 10"_s, u"Label30"_s,
                texts::kPressNextHint, u"Label16"_s, u"Command11"_s, u"Command10"_s }),
        {
            { u"Label18"_s, u"Frame7"_s, K::Label, { 240, 360, 8280, 735 }, Bold | Large,
                u"Коэффициент страховых тарифов в зависимости от периода использования транспортного "
                u"средства (КС)"_s },
            { u"Label19"_s, u"Frame7"_s, K::Label, { 240, 1140, 8280, 255 }, Plain,
                u"(п. 7 в ред. Постановления Правительства РФ от 29.02.2008 N 130)"_s },
            { u"Label17"_s, u"Frame7"_s, K::Label, { 240, 1560, 5895, 255 }, Plain,
                u"Период использования транспортного средства "_s },
            { u"Combo2"_s, u"Frame7"_s, K::Combo, { 240, 1860, 3255, 315 }, Plain, {}, u"Label17"_s },
            { u"Text8"_s, u"Frame7"_s, K::LineEdit, { 6600, 1860, 1695, 285 }, Bold, {}, u"Label18"_s },
        });
    return rows;
}

const FooterNames kFooter { u"Label36"_s, u"Label35"_s, u"Label87"_s, { 8400, 7440, 1335, 375 } };

const std::array kHints = { u"Label26"_s, u"Label27"_s, u"Label28"_s, u"Label29"_s, u"Label30"_s };

} // namespace

Form2::Form2(PremiumSheet &sheet)
    : StepWindow(u"Form2"_s)
    , m_sheet(sheet)
{
    build(form2Layout(), kFooter);
    addStep(3, u"Frame2"_s, u"Command3"_s, u"Command2"_s);
    addStep(4, u"Frame3"_s, u"Command5"_s, u"Command1"_s);
    addStep(5, u"Frame5"_s, u"Command6"_s, u"Command7"_s);
    addStep(6, u"Frame6"_s, u"Command9"_s, u"Command8"_s);
    addStep(7, u"Frame7"_s, u"Command11"_s, u"Command10"_s);

    m_startClass = control<QComboBox>(u"Combo1"_s);
    m_payouts = control<QComboBox>(u"Combo5"_s);
    m_endClass = control<QLineEdit>(u"Text13"_s);
    m_period = control<QComboBox>(u"Combo2"_s);
    m_kvsList = control<QListWidget>(u"List10"_s);
    m_kmList = control<QListWidget>(u"List1"_s);
    m_startClass->addItems(bonusMalusClasses());
    m_payouts->addItems(payoutCounts());
    for (const KsRow &row : ksRows())
        m_period->addItem(row.period);

    bindText(control<QLineEdit>(u"Text4"_s), m_sheet, SheetText::Kbm);
    bindText(control<QLineEdit>(u"Text1"_s), m_sheet, SheetText::Ko);
    bindText(control<QLineEdit>(u"Text5"_s), m_sheet, SheetText::Kvs);
    bindText(control<QLineEdit>(u"Text2"_s), m_sheet, SheetText::Km);
    bindText(control<QLineEdit>(u"Text8"_s), m_sheet, SheetText::Ks);

    connect(control<QRadioButton>(u"Option10"_s), &QRadioButton::clicked, this,
        [this] { selectContractKind(ContractKind::FirstTime); });
    connect(control<QRadioButton>(u"Option11"_s), &QRadioButton::clicked, this,
        [this] { selectContractKind(ContractKind::Renewal); });
    connect(m_startClass, &QComboBox::activated, this, &Form2::chooseStartClass);
    connect(m_payouts, &QComboBox::activated, this, &Form2::choosePayouts);
    connect(control<QRadioButton>(u"Option1"_s), &QRadioButton::clicked, this, [this] { selectKo(0); });
    connect(control<QRadioButton>(u"Option2"_s), &QRadioButton::clicked, this, [this] { selectKo(1); });
    connect(m_kvsList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectKvsIndex(row);
    });
    connect(m_kmList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectKmIndex(row);
    });
    connect(control<QLineEdit>(u"Text3"_s), &QLineEdit::textChanged, this, &Form2::showFigureInKilowatts);
    connect(control<QLineEdit>(u"Text6"_s), &QLineEdit::textChanged, this, &Form2::showFigureInKilowatts);
    connect(m_period, &QComboBox::activated, this, [this] { chooseKs(m_sheet, m_period->currentText()); });

    const std::array<std::pair<QString, Note>, 5> notes
        = { { { u"Label5"_s, Note::Kbm }, { u"Label45"_s, Note::Ko }, { u"Label8"_s, Note::Kvs },
            { u"Label11"_s, Note::Km }, { u"Label16"_s, Note::Ks } } };
    for (const auto &[label, note] : notes)
        connect(control<ClickableLabel>(label), &ClickableLabel::clicked, this, [note] { openNote(note); });
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &Form2::showForeignState);

    // Creation: first-time contract and КО limited, step 3 visible, the lists
    // filled with their first entries chosen, no period of use yet.
    selectContractKind(ContractKind::FirstTime);
    selectKo(0);
    showStep(3);
    for (const KvsRow &row : kvsRows())
        m_kvsList->addItem(row.item);
    selectKvsIndex(0);
    for (const KmRow &row : kmRows())
        m_kmList->addItem(row.item);
    selectKmIndex(0);
    control<QLabel>(u"Label15"_s)->clear();
    m_period->setCurrentIndex(-1);
    m_period->clearEditText();
    showForeignState(m_sheet.foreignRegistered());
}

void Form2::selectContractKind(ContractKind kind)
{
    const bool firstTime = kind == ContractKind::FirstTime;
    control<QRadioButton>(firstTime ? u"Option10"_s : u"Option11"_s)->setChecked(true);
    m_sheet.setContractKind(kind);
    // A first contract starts in class 3; a renewal asks for both the start
    // class and the payouts before a КБМ exists.
    setStartClassText(firstTime ? kFirstContractClass : QString());
    m_sheet.setCoefficient(Coefficient::Kbm,
        firstTime ? coefficientOfClass(kFirstContractClass).value_or(QString()) : QString());
    m_payouts->setCurrentIndex(-1);
    m_payouts->clearEditText();
    m_endClass->clear();
    control<QWidget>(u"Label48"_s)->setVisible(firstTime);
    control<QWidget>(u"Frame1"_s)->setEnabled(!firstTime);
}

void Form2::chooseStartClass()
{
    if (m_sheet.contractKind() == ContractKind::Renewal) {
        showRenewalOutcome();
        return;
    }
    if (const std::optional<QString> kbm = coefficientOfClass(startClassText()))
        m_sheet.setCoefficient(Coefficient::Kbm, *kbm);
}

void Form2::choosePayouts()
{
    if (m_sheet.contractKind() == ContractKind::Renewal)
        showRenewalOutcome();
}

void Form2::showRenewalOutcome()
{
    const std::optional<RenewalOutcome> outcome = renewalOutcome(startClassText(), payoutsText());
    if (!outcome)
        return;
    m_endClass->setText(outcome->endClass);
    m_sheet.setCoefficient(Coefficient::Kbm, outcome->kbm);
}

void Form2::selectKo(int choice)
{
    if (choice < 0 || choice > 1)
        return;
    control<QRadioButton>(choice == 0 ? u"Option1"_s : u"Option2"_s)->setChecked(true);
    chooseKo(m_sheet, choice);
}

void Form2::selectKvsIndex(int index)
{
    if (index < 0 || index >= m_kvsList->count())
        return;
    {
        QSignalBlocker quiet(m_kvsList);
        m_kvsList->setCurrentRow(index);
    }
    chooseKvs(m_sheet, m_kvsList->item(index)->text());
}

void Form2::selectKmIndex(int index)
{
    if (index < 0 || index >= m_kmList->count())
        return;
    {
        QSignalBlocker quiet(m_kmList);
        m_kmList->setCurrentRow(index);
    }
    if (const std::optional<KmRow> row = chooseKm(m_sheet, m_kmList->item(index)->text())) {
        control<QLineEdit>(u"Text3"_s)->setText(row->firstFigure);
        control<QLineEdit>(u"Text6"_s)->setText(row->secondFigure);
    }
}

void Form2::showFigureInKilowatts()
{
    // Each figure box updates only its own label; a figure written with the
    // text it already has changes nothing, and its label is already right.
    auto *figure = qobject_cast<QLineEdit *>(sender());
    if (figure == control<QLineEdit>(u"Text3"_s))
        control<QLabel>(u"Label14"_s)->setText(kilowattText(figure->text()));
    else if (figure)
        control<QLabel>(u"Label15"_s)->setText(secondKilowattText(figure->text()));
}

QString Form2::startClassText() const
{
    return m_startClass->currentText();
}

void Form2::setStartClassText(const QString &text)
{
    m_startClass->setEditText(text);
}

QString Form2::payoutsText() const
{
    return m_payouts->currentText();
}

QString Form2::endClassText() const
{
    return m_endClass->text();
}

QString Form2::periodText() const
{
    return m_period->currentText();
}

void Form2::setPeriodText(const QString &text)
{
    m_period->setEditText(text);
}

void Form2::showForeignState(bool on)
{
    for (const QString &hint : kHints)
        control<QWidget>(hint)->setVisible(on);
}

} // namespace karvo
