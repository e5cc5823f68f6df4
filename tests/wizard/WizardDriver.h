#pragma once

// Drives the step windows the way a user does: clicks on controls found by
// their names, keys typed one by one, items picked from lists.

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

namespace karvo::driver {

template <class T = QWidget> T *find(const QWidget *window, const QString &name)
{
    T *widget = window->findChild<T *>(name);
    if (!widget)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return widget;
}

inline void click(QWidget *widget)
{
    // A check box or option button reacts only on its indicator and caption,
    // not on the blank rest of its box: aim at the indicator.
    const bool choice = qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget);
    const QPoint at
        = choice ? QPoint(qMin(8, widget->width() / 2), widget->height() / 2) : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
}

inline void click(const QWidget *window, const QString &name)
{
    click(find(window, name));
}

// QTest::keyClicks stops on Cyrillic: one key event per character instead.
inline void type(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

inline void replaceText(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    type(edit, text);
}

// Picks the item from the drop-down's open list with a click, as a user does;
// typing its text would choose nothing.
inline void pick(QComboBox *combo, const QString &item)
{
    const int row = combo->findText(item, Qt::MatchExactly);
    if (row < 0)
        qFatal("no item %s in %s", qPrintable(item), qPrintable(combo->objectName()));
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    const QModelIndex index = combo->model()->index(row, combo->modelColumn(), combo->rootModelIndex());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    if (combo->currentIndex() != row)
        qFatal("the open list of %s did not pick %s", qPrintable(combo->objectName()), qPrintable(item));
}

inline void pick(const QWidget *window, const QString &comboName, const QString &item)
{
    pick(find<QComboBox>(window, comboName), item);
}

inline void pick(QListWidget *list, const QString &item)
{
    const QList<QListWidgetItem *> found = list->findItems(item, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("no item %s in %s", qPrintable(item), qPrintable(list->objectName()));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

inline void pickRow(QListWidget *list, int row)
{
    pick(list, list->item(row)->text());
}

inline QString text(const QWidget *window, const QString &lineEditName)
{
    return find<QLineEdit>(window, lineEditName)->text();
}

// What assistive technology hears for a control, and what it can do with it.
inline QAccessibleInterface *accessible(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        qFatal("%s has no accessible interface", qPrintable(widget->objectName()));
    return face;
}

inline QString spokenName(QWidget *widget)
{
    return accessible(widget)->text(QAccessible::Name);
}

// The press action that a screen reader offers; it acts once events are processed.
inline void pressThroughAccessibility(QWidget *widget)
{
    QAccessibleActionInterface *actions = accessible(widget)->actionInterface();
    if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
        qFatal("%s offers no press action", qPrintable(widget->objectName()));
    actions->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace karvo::driver
