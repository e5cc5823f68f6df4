#include "layout/ClickableLabel.h"

#include "layout/Accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace karvo {

ClickableLabel::ClickableLabel(QWidget *parent, Kind kind)
    : QLabel(parent)
    , m_kind(kind)
{
    installAccessibility();
    setFocusPolicy(kind == Kind::Link ? Qt::TabFocus : Qt::NoFocus);
}

void ClickableLabel::activate()
{
    if (isEnabled())
        emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(foregroundRole()));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A press that is dragged off the label and released elsewhere is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

} // namespace karvo
