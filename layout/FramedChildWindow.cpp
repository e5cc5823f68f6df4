#include "layout/FramedChildWindow.h"

#include "layout/Accessibility.h"
#include "layout/CoveredControls.h"
#include "layout/LayoutTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const QString kCloseTooltip = u"Закрыть"_s;

// The "×" of the caption strip, drawn in white on the strip's navy in every
// state: a style's own tool button paints its glyph in the button text colour
// (black, hardly visible on navy) and its hover panel in the light face
// colour, against which white would vanish in turn.
class CaptionCloseButton : public QAbstractButton
{
public:
    explicit CaptionCloseButton(QWidget *parent)
        : QAbstractButton(parent)
    {
        setText(u"×"_s);
        setCursor(Qt::ArrowCursor);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QColor strip = palette().color(QPalette::Highlight);
        const QColor glyph(Qt::white);
        QColor face = strip;
        if (isDown())
            face = strip.darker(160);
        else if (underMouse())
            face = strip.lighter(140);
        painter.fillRect(rect(), face);
        painter.setPen(glyph);
        if (isDown() || underMouse() || hasFocus()) {
            // A frame shows that the "×" is a button, and where the focus is.
            QPen pen(glyph);
            pen.setStyle(hasFocus() ? Qt::DotLine : Qt::SolidLine);
            painter.setPen(pen);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            painter.setPen(glyph);
        }
        QFont bold = font();
        bold.setBold(true);
        bold.setPointSizeF(font().pointSizeF() * 1.25);
        painter.setFont(bold);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

} // namespace

FramedChildWindow::FramedChildWindow(QWidget *parent, const QString &caption, const QString &name)
    : QFrame(parent)
    , m_caption(caption)
    , m_client(new QWidget(this))
    , m_close(new CaptionCloseButton(this))
{
    installAccessibility();
    setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    setLineWidth(kBorder);
    setAutoFillBackground(true);
    // The navy strip and the light face whatever the parent wears.
    setPalette(designPalette());
    setFont(defaultWindowFont());
    setAccessibleName(name);

    m_client->setObjectName(u"clientArea"_s);
    m_close->setObjectName(u"closeButton"_s);
    m_close->setToolTip(kCloseTooltip);
    // Read by what it does and for which window: with two windows open over
    // a step, two "Закрыть" would not tell which one closes.
    m_close->setAccessibleName(kCloseTooltip + u" окно «"_s + name + u'»');
    connect(m_close, &QAbstractButton::clicked, this, &FramedChildWindow::closeByUser);

    keepCoveredControlsOutOfTabChain(this);
    hide();
}

void FramedChildWindow::setClientSize(const QSize &size)
{
    resize(size.width() + 2 * kBorder, size.height() + kCaptionHeight + 2 * kBorder);
}

void FramedChildWindow::open(QWidget *focus)
{
    QWidget *current = QApplication::focusWidget();
    if (current && current != this && !isAncestorOf(current))
        m_returnFocus = current;
    show();
    raise();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void FramedChildWindow::closeByUser()
{
    hide();
    emit closedByUser();
}

void FramedChildWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        closeByUser();
        return;
    }
    QFrame::keyPressEvent(event);
}

void FramedChildWindow::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    // Painted rather than a label, so that assistive technology meets the
    // window once, by its name.
    QPainter painter(this);
    const QRect strip(kBorder, kBorder, width() - 2 * kBorder, kCaptionHeight);
    painter.fillRect(strip, palette().color(QPalette::Highlight));
    QFont captionFont = font();
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(strip.adjusted(4, 0, -kCaptionHeight, 0), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
}

void FramedChildWindow::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_client->setGeometry(
        kBorder, kBorder + kCaptionHeight, width() - 2 * kBorder, height() - kCaptionHeight - 2 * kBorder);
    m_close->setGeometry(
        width() - kBorder - kCaptionHeight, kBorder + 1, kCaptionHeight - 2, kCaptionHeight - 2);
}

void FramedChildWindow::hideEvent(QHideEvent *event)
{
    // Qt would hand the focus to the next control in the chain, which may
    // lie anywhere on the step.
    if (m_returnFocus && m_returnFocus->isVisible() && m_returnFocus->isEnabled()
        && isAncestorOf(QApplication::focusWidget()))
        m_returnFocus->setFocus(Qt::OtherFocusReason);
    QFrame::hideEvent(event);
}

} // namespace karvo
