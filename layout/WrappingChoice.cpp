#include "layout/WrappingChoice.h"

#include "layout/ClickableLabel.h"

#include <QAbstractButton>
#include <QHBoxLayout>

namespace karvo {

WrappingChoice::WrappingChoice(QAbstractButton *button, QWidget *parent)
    : QWidget(parent)
    , m_button(button)
    , m_caption(new ClickableLabel(this, ClickableLabel::Kind::Caption))
{
    m_button->setParent(this);
    m_caption->setWordWrap(true);
    m_caption->setBuddy(m_button);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(m_button, 0, Qt::AlignVCenter);
    row->addWidget(m_caption, 1);
    connect(m_caption, &ClickableLabel::clicked, m_button, [this] {
        if (m_button->isEnabled())
            m_button->click();
    });
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
