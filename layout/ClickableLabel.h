#pragma once

#include <QLabel>

// A label that reacts to a click: the note and footer links, and the caption
// half of a wrapping choice.
namespace karvo {

class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    enum class Kind {
        // Opens something: reached with Tab, and offered to assistive
        // technology as a link with a press action.
        Link,
        // The caption of a wrapping choice: a click on it is a click on the
        // choice, which assistive technology reaches itself.
        Caption,
    };

    explicit ClickableLabel(QWidget *parent = nullptr, Kind kind = Kind::Link);

    Kind kind() const { return m_kind; }

    // What a click does, for assistive technology; nothing while disabled.
    void activate();

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A link reached with Tab opens with Enter or Space, as a button does.
    void keyPressEvent(QKeyEvent *event) override;
    // A link with the focus shows a dotted frame, as a focused button does:
    // the label's own painting shows no focus at all.
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
};

} // namespace karvo
