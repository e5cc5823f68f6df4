#include "wizard/Form1.h"

#include "layout/ClickableLabel.h"
#include "layout/WrappingChoice.h"
#include "model/BaseTariffs.h"
#include "model/TerritoryTable.h"
#include "notes/NoteLinks.h"
#include "wizard/Binding.h"
#include "wizard/WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Tops of the sixteen category choices in the step-1 column; each runs down to
// the next one.
constexpr std::array kCategoryTops
    = { 240, 600, 960, 1440, 1920, 2400, 2880, 3360, 3840, 4200, 4680, 5160, 5640, 6000, 6360, 6600, 7095 };

QString categoryName(int row)
{
    return u"Option"_s + QString::number(row);
}

std::vector<ControlRow> form1Layout()
{
    using K = ControlKind;
    std::vector<ControlRow> rows = { { u"Frame1"_s, {}, K::Frame, { 0, 0, 9735, 7335 } } };
    for (int row = 1; row <= kCategoryCount; ++row) {
        const int top = kCategoryTops[std::size_t(row - 1)];
        const int height = kCategoryTops[std::size_t(row)] - top;
        rows.push_back({ categoryName(row), u"Frame1"_s, K::Radio, { 120, top, 5655, height }, Wrap,
            baseTariffs()[std::size_t(row - 1)].caption });
    }
    const std::vector<ControlRow> rest = {
        { u"Label5"_s, u"Frame1"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"1 шаг из10"_s },
        { u"Label1"_s, u"Frame1"_s, K::Label, { 5760, 480, 3735, 375 }, Bold | Underline | Large,
            u"Базовые страховые тарифы (ТБ)"_s },
        { u"Text1"_s, u"Frame1"_s, K::LineEdit, { 6600, 840, 1695, 285 }, Bold, {}, u"Label1"_s },
        { u"Check1"_s, u"Frame1"_s, K::Check, { 6120, 1440, 2895, 495 }, Green | Wrap,
            u"Для ТС зарегистрированных в иностранных государствах"_s },
        { u"Command1"_s, u"Frame1"_s, K::Button, { 6960, 2280, 1215, 375 }, Plain, texts::kNext },
        { u"Label4"_s, u"Frame1"_s, K::Link, { 6840, 3000, 1575, 375 }, kLinkLook, texts::kNote },
        { u"Label12"_s, u"Frame1"_s, K::Link, { 6240, 3720, 2775, 495 }, kLinkLook,
            u"Загрузить сохраненные данные"_s },
        { u"Label13"_s, u"Frame1"_s, K::Label, { 6240, 4320, 615, 255 }, Hidden },
        { u"Frame3"_s, u"Frame1"_s, K::Frame, { 1800, 120, 7815, 1215 }, Hidden, u"Внимание"_s },
        { u"Label7"_s, u"Frame3"_s, K::Label, { 120, 240, 7575, 735 }, Green | Italic,
            u"При обязательном страховании ответственности владельцев транспортных средств, "
            u"зарегистрированных в иностранных государствах и временно используемых на территории "
            u"Российской Федерации"_s },

        { u"Frame2"_s, {}, K::Frame, { 0, 0, 9735, 7335 } },
        { u"Label6"_s, u"Frame2"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"2 шаг из 10"_s },
        { u"Option17"_s, u"Frame2"_s, K::Radio, { 240, 360, 3855, 855 }, Wrap,
            ktVariantCaption(kKtVariantVehicles) },
        { u"Option18"_s, u"Frame2"_s, K::Radio, { 4080, 480, 3855, 735 }, Wrap,
            ktVariantCaption(kKtVariantTractors) },
        { u"Label3"_s, u"Frame2"_s, K::Label, { 5880, 1200, 3855, 1215 }, Bold | Large,
            u"Коэффициент страховых тарифов в зависимости от территории преимущественного "
            u"использования транспортного средства  (КТ)"_s },
        { u"Label2"_s, u"Frame2"_s, K::Label, { 120, 1440, 5775, 975 }, Plain,
            u"Территория преимущественного использования транспортного\n"
            u"средства:\n"
            u"   -для юридических лиц - место регистрации транспортного средства;\n"
            u"   -для физических лиц - место жительства  собственника транспортного\n"
            u"   средства"_s },
        // No label titles the region box and the town list: they are named here.
        { u"Combo1"_s, u"Frame2"_s, K::Combo, { 240, 2640, 5415, 315 }, Plain, {}, {}, u"Регион"_s },
        { u"Text2"_s, u"Frame2"_s, K::LineEdit, { 6480, 2640, 2175, 285 }, Bold, {}, u"Label3"_s },
        { u"List1"_s, u"Frame2"_s, K::List, { 240, 3120, 5415, 2595 }, Plain, {}, {},
            u"Город или населенный пункт"_s },
        { u"Command3"_s, u"Frame2"_s, K::Button, { 6240, 3120, 1215, 375 }, Plain, texts::kBack },
        { u"Command2"_s, u"Frame2"_s, K::Button, { 7680, 3120, 1215, 375 }, Plain, texts::kNext },
        { u"Label8"_s, u"Frame2"_s, K::Label, { 6480, 3600, 2775, 255 }, Green | Large | Hidden,
            texts::kPressNextHint },
        { u"Label45"_s, u"Frame2"_s, K::Link, { 6840, 3840, 1575, 375 }, kLinkLook, texts::kNote },
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

const FooterNames kFooter { u"Label21"_s, u"Label24"_s, u"Label87"_s, { 8400, 7440, 1335, 375 } };

} // namespace

Form1::Form1(PremiumSheet &sheet)
    : StepWindow(u"Form1"_s)
    , m_sheet(sheet)
{
    build(form1Layout(), kFooter);
    for (int row = 1; row <= kCategoryCount; ++row) {
        auto *option = control<QRadioButton>(categoryName(row));
        m_categories.append(option);
        connect(option, &QRadioButton::clicked, this, [this, row] { selectCategory(row); });
    }
    m_regions = control<QComboBox>(u"Combo1"_s);
    m_towns = control<QListWidget>(u"List1"_s);
    m_step1Frame = control<QWidget>(u"Frame1"_s);
    m_attention = control<QWidget>(u"Frame3"_s);
    m_attention->setAutoFillBackground(true);

    addStep(1, u"Frame1"_s, {}, u"Command1"_s);
    addStep(2, u"Frame2"_s, u"Command3"_s, u"Command2"_s);

    bindText(control<QLineEdit>(u"Text1"_s), m_sheet, SheetText::Tb);
    bindText(control<QLineEdit>(u"Text2"_s), m_sheet, SheetText::Kt);

    auto *foreign = control<QCheckBox>(u"Check1"_s);
    connect(foreign, &QCheckBox::toggled, this, &Form1::foreignRegisteredToggled);
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &Form1::showForeignState);
    watchForeignCheck();

    connect(control<QRadioButton>(u"Option17"_s), &QRadioButton::clicked, this,
        [this] { selectKtVariant(kKtVariantVehicles); });
    connect(control<QRadioButton>(u"Option18"_s), &QRadioButton::clicked, this,
        [this] { selectKtVariant(kKtVariantTractors); });
    connect(m_regions, &QComboBox::activated, this, &Form1::selectRegion);
    connect(m_towns, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectTownGroup(row);
    });

    connect(control<ClickableLabel>(u"Label4"_s), &ClickableLabel::clicked, this, [] { openNote(Note::Tb); });
    connect(
        control<ClickableLabel>(u"Label45"_s), &ClickableLabel::clicked, this, [] { openNote(Note::Kt); });
    auto *restore = control<ClickableLabel>(u"Label12"_s);
    connect(restore, &ClickableLabel::clicked, this, [this, restore] {
        if (restore->isEnabled())
            emit restoreClicked();
    });

    m_restoreTimer = new QTimer(this);
    m_restoreTimer->setObjectName(u"Timer1"_s);
    m_restoreTimer->setInterval(500);

    // The start-up's own share: step 1 visible, the region box filled, the
    // explanation box, the hint and the data label hidden, the timer stopped.
    showStep(1);
    m_regions->addItems(TerritoryTable::regions());
    m_regions->setCurrentIndex(-1);
    m_regions->clearEditText();
    m_attention->hide();
    showForeignState(m_sheet.foreignRegistered());
    m_restoreTimer->stop();
    setStep1NextEnabled(true);
}

void Form1::selectCategory(int row)
{
    if (row < 1 || row > m_categories.size())
        return;
    m_categories[row - 1]->setChecked(true);
    karvo::selectCategory(m_sheet, row);
}

int Form1::selectedCategory() const
{
    for (int i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i]->isChecked())
            return i + 1;
    }
    return 0;
}

void Form1::selectKtVariant(const QString &variant)
{
    control<QRadioButton>(variant == kKtVariantVehicles ? u"Option17"_s : u"Option18"_s)->setChecked(true);
    karvo::selectKtVariant(m_sheet, variant);
    m_regions->setCurrentIndex(-1);
    m_regions->clearEditText();
    m_towns->clear();
}

void Form1::selectRegion()
{
    const std::optional<QStringList> towns = TerritoryTable::townGroups(m_regions->currentText());
    if (towns) {
        QSignalBlocker quiet(m_towns);
        m_towns->clear();
        m_towns->addItems(*towns);
    }
    if (m_towns->count() > 0)
        selectTownGroup(0);
}

void Form1::selectTownGroup(int row)
{
    if (row < 0 || row >= m_towns->count())
        return;
    {
        QSignalBlocker quiet(m_towns);
        m_towns->setCurrentRow(row);
    }
    // The region is read from the box now: typed-over text finds no row and
    // КТ keeps its value.
    const std::optional<QString> kt = TerritoryTable::coefficient(
        m_regions->currentText(), m_towns->item(row)->text(), m_sheet.text(SheetText::KtVariant));
    if (kt)
        m_sheet.setCoefficient(Coefficient::Kt, *kt);
}

void Form1::emptyTerritory()
{
    m_towns->clear();
    m_regions->setCurrentIndex(-1);
    m_regions->clearEditText();
    m_sheet.setCoefficient(Coefficient::Kt, QString());
}

QString Form1::regionText() const
{
    return m_regions->currentText();
}

void Form1::setRegionText(const QString &text)
{
    m_regions->setEditText(text);
}

QString Form1::selectedTownGroup() const
{
    const QListWidgetItem *item = m_towns->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void Form1::addAndSelectTownGroup(const QString &townGroup)
{
    {
        QSignalBlocker quiet(m_towns);
        m_towns->addItem(townGroup);
    }
    selectTownGroup(0);
}

QString Form1::rememberedReminder() const
{
    return control<QLabel>(u"Label13"_s)->text();
}

void Form1::setRememberedReminder(const QString &value)
{
    control<QLabel>(u"Label13"_s)->setText(value);
}

void Form1::setStep1NextEnabled(bool enabled)
{
    control<QPushButton>(u"Command1"_s)->setEnabled(enabled);
}

void Form1::showForeignState(bool on)
{
    {
        QSignalBlocker quiet(control<QCheckBox>(u"Check1"_s));
        control<QCheckBox>(u"Check1"_s)->setChecked(on);
    }
    control<QWidget>(u"Label8"_s)->setVisible(on);
    // Saved inputs are those of a vehicle registered in Russia.
    control<QWidget>(u"Label12"_s)->setEnabled(!on);
}

void Form1::watchForeignCheck()
{
    // Hovering the check explains it; the free area of the step frame hides
    // the explanation again. No other control reacts to the mouse.
    auto *check = control<QCheckBox>(u"Check1"_s);
    const QList<QWidget *> hoverables
        = { check, choiceBox(check), qobject_cast<WrappingChoice *>(choiceBox(check))->captionLabel() };
    for (QWidget *widget : hoverables) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
        widget->setProperty("showsAttention", true);
    }
    m_step1Frame->setMouseTracking(true);
    m_step1Frame->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched->property("showsAttention").toBool()) {
            m_attention->show();
            m_attention->raise();
        } else if (watched == m_step1Frame) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (!m_step1Frame->childAt(at))
                m_attention->hide();
        }
    }
    return StepWindow::eventFilter(watched, event);
}

} // namespace karvo
