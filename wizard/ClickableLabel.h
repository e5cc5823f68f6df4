#pragma once

#include <QLabel>

// A label that reacts to a click: the note and footer links, and the caption
// half of a wrapping choice.
namespace karvo {

class ClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    // A link reached with Tab opens with Enter or Space, as a button does.
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace karvo
