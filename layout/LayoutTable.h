#pragma once

#include <QHash>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QWidget>

#include <span>

// The windows are laid out the way their designer placed them: every control
// at a fixed position given in twips (15 twips to a pixel). A window (a step
// window, the reminder window) declares its controls as a table of rows;
// buildControls() creates them and puts each one a window works with into
// the typed member its row names.
namespace karvo {

constexpr int pixelsFromTwips(int twips)
{
    return (twips + 7) / 15;
}

enum class ControlKind {
    Frame, // a box around a step or a group of choices; the caption is its title
    Label, // static text, word-wrapped
    Link, // a clickable label: note links, footer links, the restore link
    Button, // a push button
    Radio, // an option button; the radios of one parent form one group
    Check, // a check box
    LineEdit, // a one-line text box
    Combo, // a drop-down that also takes typed text
    List, // a list box
};

// Looks, combined with |.
enum Look : unsigned {
    Plain = 0,
    Bold = 1u << 0,
    Underline = 1u << 1,
    Italic = 1u << 2,
    Large = 1u << 3, // 9.75 pt instead of 8.25 pt
    Red = 1u << 4,
    Green = 1u << 5,
    Blue = 1u << 6,
    Centred = 1u << 7,
    Hidden = 1u << 8,
    Serif = 1u << 9,
    Wrap = 1u << 10, // option button or check box whose caption wraps
    ReadOnly = 1u << 11,
    Huge = 1u << 12, // 12 pt
    Middle = 1u << 13, // a label's text centred vertically in its box, not at its top
};

// The looks that change the font rather than the colour or the visibility.
inline constexpr unsigned kFontLooks = Bold | Underline | Italic | Large | Huge | Serif;
// Note links and the restore link: blue, bold, underlined, 9.75 pt.
inline constexpr unsigned kLinkLook = Blue | Bold | Underline | Large;
// The green hints of the foreign case, hidden until it shows them.
inline constexpr unsigned kHintLook = Green | Large | Hidden;

// The member of a window that a row's control goes into: into(m_regionBox).
//
// Members filled from the layout table rather than Qt Designer forms: the
// table already says everything a form would (positions in twips, looks,
// titles, accessible names), some of its rows come from the tariff tables
// (the sixteen categories, the КО choices), and the wrapping choices and
// links are widgets of our own that a form would need as plugins. A form
// would be a second description of the same windows, in pixels, to keep in
// step with the table. The members are as typed as a form's: a row whose
// control is not of its member's type stops the program as the window is
// built, in every build type.
class ControlSlot
{
public:
    ControlSlot() = default;

    template <class T> friend ControlSlot into(T *&member);

    // Puts `widget` into the member; stops the program when it is not of the
    // member's type.
    void fill(QWidget *widget, const QString &name) const;

private:
    using Assign = bool (*)(void *member, QWidget *widget);
    ControlSlot(void *member, Assign assign, const char *type)
        : m_member(member)
        , m_assign(assign)
        , m_type(type)
    {
    }

    void *m_member = nullptr;
    Assign m_assign = nullptr;
    const char *m_type = nullptr;
};

template <class T> ControlSlot into(T *&member)
{
    return ControlSlot(
        &member,
        [](void *slot, QWidget *widget) {
            T *typed = qobject_cast<T *>(widget);
            *static_cast<T **>(slot) = typed;
            return typed != nullptr;
        },
        T::staticMetaObject.className());
}

struct ControlRow
{
    QString name;
    QString parent; // empty: the window itself
    ControlKind kind;
    QRect twips; // left, top, width, height within the parent
    unsigned look = Plain;
    QString caption = {};
    // For value boxes and lists: the label that titles them. It becomes their
    // buddy and lends them its text as accessible name.
    QString title = {};
    // For a box that no label on the window titles: the name assistive
    // technology reads for it.
    QString accessibleName = {};
    // The window's member that the control goes into, if the window works
    // with it.
    ControlSlot slot = {};
};

// The controls of one window by name, for a window that looks them up.
class Controls
{
public:
    QWidget *widget(const QString &name) const;

    template <class T> T *get(const QString &name) const
    {
        auto *typed = qobject_cast<T *>(widget(name));
        if (!typed)
            qFatal("Controls::get: no %s named %s", T::staticMetaObject.className(), qPrintable(name));
        return typed;
    }

    void add(const QString &name, QWidget *widget) { m_widgets.insert(name, widget); }

private:
    QHash<QString, QWidget *> m_widgets;
};

Controls buildControls(QWidget *window, std::span<const ControlRow> rows);

// The window's default font: the designer's "MS Sans Serif" 8.25 pt.
QFont defaultWindowFont();

// The colours the windows were designed in: the classic light grey face,
// black text and white boxes. The step windows and everything inside them
// wear it whatever the desktop's theme, since their blue links, red step
// numbers and green hints were chosen against it (blue on a dark theme's grey
// is barely legible).
QPalette designPalette();

} // namespace karvo
