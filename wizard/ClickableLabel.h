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
};

} // namespace karvo
