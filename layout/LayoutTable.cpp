#include "layout/LayoutTable.h"

#include "layout/Accessibility.h"
#include "layout/ClickableLabel.h"
#include "layout/WrappingChoice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

constexpr double kSmallPoints = 8.25;
constexpr double kLargePoints = 9.75;
constexpr double kHugePoints = 12.0;

// The designer's fonts are Windows fonts; these are their metric-compatible
// stand-ins, with the system's own families as the last resort.
QString installedOr(const QString &wanted)
{
    if (QFontDatabase::families().contains(wanted))
        return wanted;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QString family(bool serif)
{
    // Looked up once: listing the font database for every control of the
    // three windows was a tenth of the start-up.
    static const QString sans = installedOr(u"Liberation Sans"_s);
    static const QString serifFamily = installedOr(u"Liberation Serif"_s);
    return serif ? serifFamily : sans;
}

QFont fontFor(unsigned look)
{
    QFont font(family(look & Serif));
    font.setPointSizeF(look & Huge ? kHugePoints : (look & Large ? kLargePoints : kSmallPoints));
    font.setBold(look & Bold);
    font.setUnderline(look & Underline);
    font.setItalic(look & Italic);
    // Russian and Latin text needs no OpenType shaping, and the captions were
    // laid out for fonts without kerning; skipping both halves the cost of
    // laying out the captions, which is most of the start-up.
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void applyColour(QWidget *widget, unsigned look)
{
    QColor colour;
    if (look & Red)
        colour = QColor(255, 0, 0);
    else if (look & Green)
        colour = QColor(0, 192, 0);
    else if (look & Blue)
        colour = QColor(0, 0, 255);
    else
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setupLabel(QLabel *label, const ControlRow &row)
{
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment((row.look & Centred ? Qt::AlignHCenter : Qt::AlignLeft)
        | (row.look & Middle ? Qt::AlignVCenter : Qt::AlignTop));
    label->setText(row.caption);
}

QWidget *createWidget(const ControlRow &row, QWidget *parent, QHash<QWidget *, QButtonGroup *> &groups)
{
    switch (row.kind) {
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(row.caption, parent);
        frame->setFlat(false);
        return frame;
    }
    case ControlKind::Label: {
        auto *label = new QLabel(parent);
        setupLabel(label, row);
        return label;
    }
    case ControlKind::Link: {
        auto *link = new ClickableLabel(parent);
        setupLabel(link, row);
        link->setCursor(Qt::PointingHandCursor);
        return link;
    }
    case ControlKind::Button:
        return new QPushButton(row.caption, parent);
    case ControlKind::Radio:
    case ControlKind::Check: {
        QAbstractButton *button = nullptr;
        if (row.kind == ControlKind::Radio) {
            auto *radio = new QRadioButton(parent);
            QButtonGroup *&group = groups[parent];
            if (!group)
                group = new QButtonGroup(parent);
            group->addButton(radio);
            button = radio;
        } else {
            button = new QCheckBox(parent);
        }
        if (row.look & Wrap) {
            auto *box = new WrappingChoice(button, parent);
            box->setCaption(row.caption);
            if (row.look & kFontLooks)
                box->setFont(fontFor(row.look));
            applyColour(box, row.look);
        } else {
            button->setText(row.caption);
            button->setAccessibleName(row.caption);
        }
        return button;
    }
    case ControlKind::LineEdit: {
        auto *edit = new QLineEdit(parent);
        edit->setAlignment(row.look & Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        edit->setReadOnly(row.look & ReadOnly);
        edit->setText(row.caption);
        return edit;
    }
    case ControlKind::Combo: {
        auto *combo = new QComboBox(parent);
        combo->setEditable(true);
        // The designer's drop-downs neither complete nor keep typed text as a
        // new item: only picking an item means anything.
        combo->setInsertPolicy(QComboBox::NoInsert);
        // The box has its place and size from the layout table; left to adjust
        // to its contents it would measure every item (83 regions) when shown.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setCompleter(nullptr);
        // An editable QComboBox picks the item whose text was typed when Enter
        // is pressed or the focus leaves the box. Here typing is only text: a
        // choice is made from the open list or with the arrow keys, so the box
        // is cut off from the two signals of its text field that pick.
        QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
        QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
        return combo;
    }
    case ControlKind::List:
        return new QListWidget(parent);
    }
    return nullptr;
}

} // namespace

void ControlSlot::fill(QWidget *widget, const QString &name) const
{
    if (m_member && !m_assign(m_member, widget))
        qFatal("layout table: %s is a %s, not a %s", qPrintable(name), widget->metaObject()->className(),
            m_type);
}

QWidget *Controls::widget(const QString &name) const
{
    return m_widgets.value(name, nullptr);
}

QFont defaultWindowFont()
{
    return fontFor(Plain);
}

QPalette designPalette()
{
    const QColor face(0xF0, 0xF0, 0xF0);
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor greyText(0x6D, 0x6D, 0x6D);
    QPalette palette(
        black, face, white, QColor(0xA0, 0xA0, 0xA0), QColor(0xC0, 0xC0, 0xC0), black, white, white, face);
    palette.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
    palette.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x00, 0x80));
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::PlaceholderText, greyText);
    palette.setColor(QPalette::Link, QColor(0x00, 0x00, 0xFF));
    palette.setColor(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, greyText);
    palette.setColor(QPalette::Disabled, QPalette::Base, face);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0xC0, 0xC0, 0xC0));
    return palette;
}

Controls buildControls(QWidget *window, std::span<const ControlRow> rows)
{
    installAccessibility();
    Controls controls;
    QHash<QWidget *, QButtonGroup *> groups;
    for (const ControlRow &row : rows) {
        QWidget *parent = row.parent.isEmpty() ? window : controls.widget(row.parent);
        // Or one built before: a step's frame whose controls come later.
        if (!parent)
            parent = window->findChild<QWidget *>(row.parent);
        if (!parent)
            qFatal(
                "layout table: %s comes before its parent %s", qPrintable(row.name), qPrintable(row.parent));
        QWidget *widget = createWidget(row, parent, groups);
        widget->setObjectName(row.name);
        // A plain control takes the window's font; setting it on each one
        // anyway made every control resolve a font of its own at start-up.
        if (row.look & kFontLooks)
            widget->setFont(fontFor(row.look));
        applyColour(widget, row.look);
        auto *button = qobject_cast<QAbstractButton *>(widget);
        QWidget *placed = button ? choiceBox(button) : widget;
        placed->setGeometry(pixelsFromTwips(row.twips.x()), pixelsFromTwips(row.twips.y()),
            pixelsFromTwips(row.twips.width()), pixelsFromTwips(row.twips.height()));
        if (row.look & Hidden)
            placed->setVisible(false);
        // Labels, links, frames and buttons are read by the text they show
        // now; a name fixed at build time would go on reading the first one.
        if (!row.accessibleName.isEmpty())
            widget->setAccessibleName(row.accessibleName);
        controls.add(row.name, widget);
        row.slot.fill(widget, row.name);
    }
    // Titles may come after the box they title in the table.
    for (const ControlRow &row : rows) {
        if (row.title.isEmpty())
            continue;
        QWidget *widget = controls.widget(row.name);
        if (auto *title = qobject_cast<QLabel *>(controls.widget(row.title))) {
            title->setBuddy(widget);
            widget->setAccessibleName(title->text());
        }
    }
    return controls;
}

} // namespace karvo
