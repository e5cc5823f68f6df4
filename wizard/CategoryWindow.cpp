#include "wizard/CategoryWindow.h"

#include "layout/ClickableLabel.h"
#include "layout/WrappingChoice.h"
#include "model/BaseTariffs.h"
#include "model/StepChoices.h"
#include "model/TerritoryTable.h"
#include "notes/NoteLinks.h"
#include "platform/Messages.h"
#include "wizard/Binding.h"
#include "wizard/WizardTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Tops of the sixteen category choices in the step-1 column; each runs down to
// the next one.
constexpr std::array kCategoryTops
    = { 240, 600, 960, 1440, 1920, 2400, 2880, 3360, 3840, 4200, 4680, 5160, 5640, 6000, 6360, 6600, 7095 };

QString categoryName(int row)
{
    return u"category"_s + QString::number(row);
}

const QRect kExitButton { 8400, 7440, 1335, 375 };

} // namespace

std::vector<ControlRow> CategoryWindow::step1Layout()
{
    using K = ControlKind;
    std::vector<ControlRow> rows = { { u"step1Frame"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, {}, {},
        u"Категория транспортного средства"_s, into(m_step1Frame) } };
    for (int row = 1; row <= kCategoryCount; ++row) {
        const int top = kCategoryTops[std::size_t(row - 1)];
        const int height = kCategoryTops[std::size_t(row)] - top;
        rows.push_back({ categoryName(row), u"step1Frame"_s, K::Radio, { 120, top, 5655, height }, Wrap,
            baseTariffs()[std::size_t(row - 1)].caption, {}, {}, into(m_categories[std::size_t(row - 1)]) });
    }
    const std::vector<ControlRow> rest = {
        { u"step1Number"_s, u"step1Frame"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"1 шаг из10"_s },
        { u"baseTariffsTitle"_s, u"step1Frame"_s, K::Label, { 5760, 480, 3735, 375 },
            Bold | Underline | Large, kBaseTariffsTitle },
        { u"tbBox"_s, u"step1Frame"_s, K::LineEdit, { 6600, 840, 1695, 285 }, Bold, {}, u"baseTariffsTitle"_s,
            {}, into(m_tbBox) },
        { u"foreignCheck"_s, u"step1Frame"_s, K::Check, { 6120, 1440, 2895, 495 }, Green | Wrap,
            u"Для ТС зарегистрированных в иностранных государствах"_s, {}, {}, into(m_foreignCheck) },
        { u"step1Next"_s, u"step1Frame"_s, K::Button, { 6960, 2280, 1215, 375 }, Plain, texts::kNext, {}, {},
            into(m_step1Next) },
        { u"tbNoteLink"_s, u"step1Frame"_s, K::Link, { 6840, 3000, 1575, 375 }, kLinkLook, texts::kNote, {},
            {}, into(m_tbNoteLink) },
        { u"restoreLink"_s, u"step1Frame"_s, K::Link, { 6240, 3720, 2775, 495 }, kLinkLook,
            u"Загрузить сохраненные данные"_s, {}, {}, into(m_restoreLink) },
        // In the free space under the restore link.
        { u"journalLink"_s, u"step1Frame"_s, K::Link, { 6240, 4440, 2775, 375 }, kLinkLook,
            texts::kJournalLink, {}, {}, into(m_journalLink) },
        { u"foreignAttention"_s, u"step1Frame"_s, K::Frame, { 1800, 120, 7815, 1215 }, Hidden, u"Внимание"_s,
            {}, {}, into(m_attention) },
        { u"foreignAttentionText"_s, u"foreignAttention"_s, K::Label, { 120, 240, 7575, 735 }, Green | Italic,
            u"При обязательном страховании ответственности владельцев транспортных средств, "
            u"зарегистрированных в иностранных государствах и временно используемых на территории "
            u"Российской Федерации"_s },
        // Its controls are built the first time step 2 is shown.
        { u"step2Frame"_s, {}, K::Frame, { 0, 0, 9735, 7335 }, Plain, {}, {},
            u"Территория преимущественного использования"_s, into(m_step2Frame) },
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

std::vector<ControlRow> CategoryWindow::step2Layout()
{
    using K = ControlKind;
    return {
        { u"step2Number"_s, u"step2Frame"_s, K::Label, { 8640, 120, 975, 255 }, Red, u"2 шаг из 10"_s },
        { u"vehiclesColumn"_s, u"step2Frame"_s, K::Radio, { 240, 360, 3855, 855 }, Wrap,
            territoryColumnCaption(TerritoryColumn::Vehicles), {}, {}, into(m_vehiclesColumn) },
        { u"tractorsColumn"_s, u"step2Frame"_s, K::Radio, { 4080, 480, 3855, 735 }, Wrap,
            territoryColumnCaption(TerritoryColumn::Tractors), {}, {}, into(m_tractorsColumn) },
        { u"ktTitle"_s, u"step2Frame"_s, K::Label, { 5880, 1200, 3855, 1215 }, Bold | Large,
            u"Коэффициент страховых тарифов в зависимости от территории преимущественного "
            u"использования транспортного средства  (КТ)"_s },
        { u"territoryRule"_s, u"step2Frame"_s, K::Label, { 120, 1440, 5775, 975 }, Plain,
            u"Территория преимущественного использования транспортного\n"
            u"средства:\n"
            u"   -для юридических лиц - место регистрации транспортного средства;\n"
            u"   -для физических лиц - место жительства  собственника транспортного\n"
            u"   средства"_s },
        // No label titles the region box and the town list: they are named here.
        { u"regionBox"_s, u"step2Frame"_s, K::Combo, { 240, 2640, 5415, 315 }, Plain, {}, {}, u"Регион"_s,
            into(m_regions) },
        { u"ktBox"_s, u"step2Frame"_s, K::LineEdit, { 6480, 2640, 2175, 285 }, Bold, {}, u"ktTitle"_s, {},
            into(m_ktBox) },
        { u"townList"_s, u"step2Frame"_s, K::List, { 240, 3120, 5415, 2595 }, Plain, {}, {},
            u"Город или населенный пункт"_s, into(m_towns) },
        { u"step2Back"_s, u"step2Frame"_s, K::Button, { 6240, 3120, 1215, 375 }, Plain, texts::kBack, {}, {},
            into(m_step2Back) },
        { u"step2Next"_s, u"step2Frame"_s, K::Button, { 7680, 3120, 1215, 375 }, Plain, texts::kNext, {}, {},
            into(m_step2Next) },
        { u"step2ForeignHint"_s, u"step2Frame"_s, K::Label, { 6480, 3600, 2775, 255 }, Green | Large | Hidden,
            texts::kPressNextHint, {}, {}, into(m_step2ForeignHint) },
        { u"ktNoteLink"_s, u"step2Frame"_s, K::Link, { 6840, 3840, 1575, 375 }, kLinkLook, texts::kNote, {},
            {}, into(m_ktNoteLink) },
    };
}

CategoryWindow::CategoryWindow(PremiumSheet &sheet)
    : StepWindow(u"categoryWindow"_s)
    , m_sheet(sheet)
{
    build(step1Layout(), kExitButton);
    for (int row = 1; row <= kCategoryCount; ++row) {
        connect(m_categories[std::size_t(row - 1)], &QRadioButton::clicked, this,
            [this, row] { selectCategory(m_sheet, row); });
    }
    m_attention->setAutoFillBackground(true);

    addStep(1, m_step1Frame, nullptr, m_step1Next);
    addStep(2, m_step2Frame, nullptr, nullptr);

    bindText(m_tbBox, m_sheet, SheetText::Tb);

    connect(
        m_foreignCheck, &QCheckBox::toggled, this, [this](bool on) { setForeignRegistered(m_sheet, on); });
    connect(&m_sheet, &PremiumSheet::foreignRegisteredChanged, this, &CategoryWindow::showForeignState);
    watchForeignCheck();
    connect(&m_sheet, &PremiumSheet::categoryChanged, this, &CategoryWindow::showCategory);

    connect(m_tbNoteLink, &ClickableLabel::clicked, this, [] { openNote(Note::Tb, tellUser); });
    connect(m_journalLink, &ClickableLabel::clicked, this, &CategoryWindow::journalClicked);
    connect(m_restoreLink, &ClickableLabel::clicked, this, [this] {
        if (m_restoreLink->isEnabled())
            emit restoreClicked();
    });

    // Built at the start: step 1 visible, the explanation box hidden, and
    // what the sheet holds.
    showStep(1);
    showCategory(m_sheet.category());
    m_attention->hide();
    showForeignState(m_sheet.foreignRegistered());
    setStep1NextEnabled(true);
}

void CategoryWindow::buildStep(int step)
{
    if (step != 2 || m_regions)
        return;
    buildMore(step2Layout());
    addStep(2, m_step2Frame, m_step2Back, m_step2Next);

    bindText(m_ktBox, m_sheet, SheetText::Kt);
    connect(m_vehiclesColumn, &QRadioButton::clicked, this,
        [this] { chooseKtColumn(m_sheet, TerritoryColumn::Vehicles); });
    connect(m_tractorsColumn, &QRadioButton::clicked, this,
        [this] { chooseKtColumn(m_sheet, TerritoryColumn::Tractors); });
    connect(
        m_regions, &QComboBox::activated, this, [this] { selectRegion(m_sheet, m_regions->currentText()); });
    connect(m_towns, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectTownGroup(m_sheet, m_towns->item(row)->text());
    });
    connect(&m_sheet, &PremiumSheet::textChanged, this, [this](SheetText field, const QString &value) {
        switch (field) {
        case SheetText::Region:
            return showRegion(value);
        case SheetText::TownGroup:
            return showTownGroup(value);
        default:
            return;
        }
    });
    connect(&m_sheet, &PremiumSheet::townsChanged, this, &CategoryWindow::showTowns);
    connect(&m_sheet, &PremiumSheet::territoryColumnChanged, this, &CategoryWindow::showColumn);
    connect(m_ktNoteLink, &ClickableLabel::clicked, this, [] { openNote(Note::Kt, tellUser); });
    // Typed text that was not picked gives way, once the focus leaves the
    // box, to the region whose towns are listed: the box, the towns and КТ
    // then always describe one row of the territory table.
    m_regions->installEventFilter(this);
    if (m_regions->lineEdit())
        m_regions->lineEdit()->installEventFilter(this);

    // The region box filled, and what the sheet holds now.
    m_regions->addItems(TerritoryTable::regions());
    showColumn(m_sheet.territoryColumn());
    showRegion(m_sheet.text(SheetText::Region));
    showTowns(m_sheet.towns());
    m_step2ForeignHint->setVisible(m_sheet.foreignRegistered());
}

void CategoryWindow::showCategory(int row)
{
    if (row >= 1 && row <= kCategoryCount)
        m_categories[std::size_t(row - 1)]->setChecked(true);
}

void CategoryWindow::showColumn(TerritoryColumn column)
{
    if (column == TerritoryColumn::Vehicles)
        m_vehiclesColumn->setChecked(true);
    else if (column == TerritoryColumn::Tractors)
        m_tractorsColumn->setChecked(true);
}

void CategoryWindow::showRegion(const QString &region)
{
    if (region.isEmpty()) {
        m_regions->setCurrentIndex(-1);
        m_regions->clearEditText();
        return;
    }
    if (m_regions->currentText() == region)
        return;
    const int row = m_regions->findText(region, Qt::MatchExactly);
    if (row >= 0)
        m_regions->setCurrentIndex(row);
    else
        m_regions->setEditText(region);
}

void CategoryWindow::showTowns(const QStringList &towns)
{
    const QSignalBlocker quiet(m_towns);
    m_towns->clear();
    m_towns->addItems(towns);
    showTownGroup(m_sheet.text(SheetText::TownGroup));
}

void CategoryWindow::showTownGroup(const QString &townGroup)
{
    const QSignalBlocker quiet(m_towns);
    const QList<QListWidgetItem *> found = m_towns->findItems(townGroup, Qt::MatchExactly);
    if (townGroup.isEmpty() || found.isEmpty())
        m_towns->setCurrentRow(-1);
    else
        m_towns->setCurrentItem(found.first());
}

void CategoryWindow::setStep1NextEnabled(bool enabled)
{
    m_step1Next->setEnabled(enabled);
}

void CategoryWindow::showForeignState(bool on)
{
    {
        QSignalBlocker quiet(m_foreignCheck);
        m_foreignCheck->setChecked(on);
    }
    if (m_step2ForeignHint)
        m_step2ForeignHint->setVisible(on);
    // Saved inputs are those of a vehicle registered in Russia.
    m_restoreLink->setEnabled(!on);
}

void CategoryWindow::watchForeignCheck()
{
    // Hovering the check explains it; the free area of the step frame hides
    // the explanation again. No other control reacts to the mouse.
    QCheckBox *check = m_foreignCheck;
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

bool CategoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && m_regions
        && (watched == m_regions || watched == m_regions->lineEdit())
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        showRegion(m_sheet.text(SheetText::Region));
    }
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
