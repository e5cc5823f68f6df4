#pragma once

#include <QFrame>
#include <QPointer>

class QAbstractButton;

// A small window that lies inside a step window, over part of a step, and is
// shown without blocking it: the reminder window and the explanation of
// "Расчет". Child widgets get no title bar from the window manager, so it
// draws its own: a raised frame with the navy caption strip and a "×" that
// closes it, as Escape does. Assistive technology meets it as a dialog named
// by its accessible name, and while it is shown, Tab skips the controls of
// the step window it covers.
namespace karvo {

class FramedChildWindow : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kBorder = 2;
    static constexpr int kCaptionHeight = 18;

    // `caption` is drawn in the strip; `name` is the window's accessible
    // name, which also tells its "×" from any other.
    FramedChildWindow(QWidget *parent, const QString &caption, const QString &name);

    // Below the strip, inside the border: the window's controls go here.
    QWidget *clientArea() const { return m_client; }
    QAbstractButton *closeButton() const { return m_close; }

    // Sizes the window so that its client area gets `size`.
    void setClientSize(const QSize &size);

    // Shows the window above what it covers and gives `focus` the focus.
    // When the window hides while it has the focus, the focus goes back to
    // where it was before.
    void open(QWidget *focus);

signals:
    // Closed by the user, by "×" or Escape.
    void closedByUser();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void closeByUser();

    QString m_caption;
    QWidget *m_client;
    QAbstractButton *m_close;
    QPointer<QWidget> m_returnFocus;
};

} // namespace karvo
