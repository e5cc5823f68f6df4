#include "layout/Accessibility.h"

#include "layout/ClickableLabel.h"
#include "layout/FramedChildWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// A label whose name is the text it shows now, unless it was named
// explicitly: a name fixed when it was built would go stale.
class ShownTextAccessible : public QAccessibleWidget
{
public:
    ShownTextAccessible(QLabel *label, QAccessible::Role role)
        : QAccessibleWidget(label, role)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = label()->accessibleName();
        return name.isEmpty() ? label()->text() : name;
    }

protected:
    QLabel *label() const { return static_cast<QLabel *>(widget()); }
};

class LinkAccessible : public ShownTextAccessible
{
public:
    explicit LinkAccessible(ClickableLabel *link)
        : ShownTextAccessible(link, QAccessible::Link)
    {
    }

    QStringList actionNames() const override
    {
        // Press first: clients take the first action as the default one.
        return QStringList { pressAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Later, as a button's press action does: the link may open a modal
        // box, and the client's request must be answered first.
        QMetaObject::invokeMethod(link(), &ClickableLabel::activate, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == pressAction())
            return { u"Space"_s };
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    ClickableLabel *link() const { return static_cast<ClickableLabel *>(widget()); }
};

class TextLabelAccessible : public ShownTextAccessible
{
public:
    explicit TextLabelAccessible(QLabel *label)
        : ShownTextAccessible(label, QAccessible::StaticText)
    {
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled) {
            if (QAccessibleInterface *titled = QAccessible::queryAccessibleInterface(label()->buddy()))
                related.append({ titled, QAccessible::Labelled });
        }
        return related;
    }
};

// Qt's drop-down with one difference: the name. Its children (the item list
// and the edit field) and its actions are Qt's.
class TitledComboAccessible : public QAccessibleWidget
{
public:
    explicit TitledComboAccessible(QComboBox *combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->isEditable() ? combo()->lineEdit()->text() : combo()->currentText();
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        // Named, or titled by a label; a box that is neither is known by what it holds.
        const QString name = QAccessibleWidget::text(t);
        return name.isEmpty() ? text(QAccessible::Value) : name;
    }

    int childCount() const override { return combo()->isEditable() ? 2 : 1; }

    QAccessibleInterface *child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1 && combo()->isEditable())
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (combo()->view() == child->object())
            return 0;
        if (combo()->isEditable() && combo()->lineEdit() == child->object())
            return 1;
        return -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (combo()->isEditable() && combo()->lineEdit()->rect().contains(x, y))
            return child(1);
        return nullptr;
    }

    // The edit field never has the focus itself (the box is its focus
    // proxy), but it is what the user types in.
    QAccessibleInterface *focusChild() const override { return combo()->isEditable() ? child(1) : nullptr; }

    QStringList actionNames() const override { return { showMenuAction(), pressAction() }; }

    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
};

// A frame named by its accessible name, else by its own caption, else not at
// all. Qt names a frame inside another by the outer frame's caption, so all
// the groups of a step would share the step's name.
class GroupAccessible : public QAccessibleWidget
{
public:
    explicit GroupAccessible(QGroupBox *group)
        : QAccessibleWidget(group, QAccessible::Grouping)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString name = widget()->accessibleName();
        return name.isEmpty() ? static_cast<QGroupBox *>(widget())->title() : name;
    }
};

// The box of a wrapping choice only holds the button, which carries the
// name; Qt would name the box by its frame's caption.
class UnnamedAccessible : public QAccessibleWidget
{
public:
    explicit UnnamedAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Client)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(t);
    }
};

// Qt's toggle action, the one a screen reader offers for an option button
// or a check box, calls QAbstractButton::toggle(): the state changes without
// the click the windows act on, so the window would show one choice while the
// calculation used the other. Here the action is the user's click, with all
// its effects, whichever way the button is switched.
class ChoiceAccessible : public QAccessibleWidget
{
public:
    ChoiceAccessible(QAbstractButton *button, QAccessible::Role role)
        : QAccessibleWidget(button, role)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = button()->isChecked();
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Accelerator)
            return QKeySequence::mnemonic(button()->text()).toString(QKeySequence::NativeText);
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        // Its own name or caption: Qt would fall back to the frame's caption.
        if (!button()->accessibleName().isEmpty())
            return button()->accessibleName();
        QString caption = button()->text();
        caption.remove(u'&');
        return caption.isEmpty() ? QAccessibleWidget::text(t) : caption;
    }

    QStringList actionNames() const override
    {
        return widget()->isEnabled() ? QStringList { toggleAction() } : QStringList {};
    }

    void doAction(const QString &action) override
    {
        if ((action != toggleAction() && action != pressAction()) || !widget()->isEnabled())
            return;
        // Later, as a button's press action does: the click may open a modal
        // box, and the client's request must be answered first.
        QMetaObject::invokeMethod(button(), &QAbstractButton::click, Qt::QueuedConnection);
    }

    QStringList keyBindingsForAction(const QString &action) const override
    {
        if (action == toggleAction())
            return { u"Space"_s };
        return {};
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
};

QAccessibleInterface *createAccessible(const QString &className, QObject *object)
{
    if (className == u"QRadioButton"_s)
        return new ChoiceAccessible(static_cast<QAbstractButton *>(object), QAccessible::RadioButton);
    if (className == u"QCheckBox"_s)
        return new ChoiceAccessible(static_cast<QAbstractButton *>(object), QAccessible::CheckBox);
    if (className == u"karvo::ClickableLabel"_s) {
        auto *link = static_cast<ClickableLabel *>(object);
        if (link->kind() == ClickableLabel::Kind::Link)
            return new LinkAccessible(link);
        return nullptr;
    }
    // The windows' labels show plain text; other labels (a message box's,
    // rich text, pictures) stay Qt's.
    if (className == u"QLabel"_s) {
        auto *label = static_cast<QLabel *>(object);
        if (label->textFormat() == Qt::PlainText)
            return new TextLabelAccessible(label);
        return nullptr;
    }
    if (className == u"QComboBox"_s)
        return new TitledComboAccessible(static_cast<QComboBox *>(object));
    // Qt would offer a frame: a screen reader then says nothing as the focus
    // enters the window, and reads its caption as one more label.
    if (className == u"QGroupBox"_s)
        return new GroupAccessible(static_cast<QGroupBox *>(object));
    if (className == u"karvo::WrappingChoice"_s)
        return new UnnamedAccessible(static_cast<QWidget *>(object));
    if (className == u"karvo::FramedChildWindow"_s)
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&createAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace karvo
