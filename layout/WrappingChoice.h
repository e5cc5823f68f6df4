#pragma once

#include <QWidget>

class QAbstractButton;

// An option button or check box whose long caption wraps inside its box. Qt's
// buttons never wrap their text, so the button carries no text of its own and
// a word-wrapped label beside it shows the caption; a click on the label acts
// as a click on the button. The button keeps the control's name and the
// caption as its accessible name.
namespace karvo {

class ClickableLabel;

class WrappingChoice : public QWidget
{
    Q_OBJECT

public:
    WrappingChoice(QAbstractButton *button, QWidget *parent);

    QAbstractButton *button() const { return m_button; }
    ClickableLabel *captionLabel() const { return m_caption; }

    void setCaption(const QString &caption);
    QString caption() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    static constexpr int kSpacing = 3; // between the button and its caption

    void placeChildren();

    QAbstractButton *m_button;
    ClickableLabel *m_caption;
};

// The widget that stands for a choice on the window: its wrapping box, or the
// button itself. Hiding or disabling a choice acts on this.
QWidget *choiceBox(QAbstractButton *button);

// Sets a choice's caption whether it wraps or not.
void setChoiceCaption(QAbstractButton *button, const QString &caption);
QString choiceCaption(const QAbstractButton *button);

} // namespace karvo
