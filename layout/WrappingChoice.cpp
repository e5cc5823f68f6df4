#include "layout/WrappingChoice.h"

#include "layout/ClickableLabel.h"

#include <QAbstractButton>
#include <QEvent>

namespace karvo {

WrappingChoice::WrappingChoice(QAbstractButton *button, QWidget *parent)
    : QWidget(parent)
    , m_button(button)
    , m_caption(new ClickableLabel(this, ClickableLabel::Kind::Caption))
{
    m_button->setParent(this);
    m_caption->setWordWrap(true);
    m_caption->setBuddy(m_button);
    connect(m_caption, &ClickableLabel::clicked, m_button, [this] {
        if (m_button->isEnabled())
            m_button->click();
    });
}

// The button at its natural width, centred from top to bottom, and the
// caption in the rest of the box from its top. Placed by hand: a box layout
// asks the word-wrapped caption for its size hints, measuring the caption
// at several widths, for every choice of every window, when it is first shown.
void WrappingChoice::placeChildren()
{
    const QSize hint = m_button->sizeHint();
    const int buttonHeight = qMin(height(), hint.height());
    m_button->setGeometry(0, (height() - buttonHeight) / 2, hint.width(), buttonHeight);
    const int captionLeft = hint.width() + kSpacing;
    m_caption->setGeometry(captionLeft, 0, qMax(0, width() - captionLeft), height());
}

void WrappingChoice::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void WrappingChoice::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The button's natural width follows the font and the style.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeChildren();
}

void WrappingChoice::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    m_button->setAccessibleName(caption);
}

QString WrappingChoice::caption() const
{
    return m_caption->text();
}

QWidget *choiceBox(QAbstractButton *button)
{
    if (auto *box = qobject_cast<WrappingChoice *>(button->parentWidget()))
        return box;
    return button;
}

void setChoiceCaption(QAbstractButton *button, const QString &caption)
{
    if (auto *box = qobject_cast<WrappingChoice *>(button->parentWidget())) {
        box->setCaption(caption);
        return;
    }
    button->setText(caption);
    button->setAccessibleName(caption);
}

QString choiceCaption(const QAbstractButton *button)
{
    if (auto *box = qobject_cast<const WrappingChoice *>(button->parentWidget()))
        return box->caption();
    return button->text();
}

} // namespace karvo
