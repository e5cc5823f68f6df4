#include "layout/CoveredControls.h"

#include "layout/WrappingChoice.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace karvo {
namespace {

// Kept on the covered control itself, so that overlapping covers agree on
// the policy to give back.
const char *const kCoverCount = "karvoCoverCount";
const char *const kOwnPolicy = "karvoOwnFocusPolicy";

void takeOut(QWidget *control)
{
    const int count = control->property(kCoverCount).toInt();
    if (count == 0) {
        const Qt::FocusPolicy own = control->focusPolicy();
        control->setProperty(kOwnPolicy, int(own));
        control->setFocusPolicy(Qt::FocusPolicy(own & ~Qt::TabFocus));
    }
    control->setProperty(kCoverCount, count + 1);
}

void giveBack(QWidget *control)
{
    const int count = control->property(kCoverCount).toInt() - 1;
    if (count > 0) {
        control->setProperty(kCoverCount, count);
        return;
    }
    control->setFocusPolicy(Qt::FocusPolicy(control->property(kOwnPolicy).toInt()));
    control->setProperty(kCoverCount, QVariant());
    control->setProperty(kOwnPolicy, QVariant());
}

// What the user sees of a control: an option button whose caption wraps
// beside it is covered when its caption is.
QWidget *shownExtent(QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return choiceBox(button);
    return control;
}

class CoverWatcher : public QObject
{
public:
    explicit CoverWatcher(QWidget *cover)
        : QObject(cover)
        , m_cover(cover)
    {
        cover->installEventFilter(this);
        if (cover->isVisible())
            coverControls();
    }

    ~CoverWatcher() override { uncover(); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            coverControls();
            break;
        case QEvent::Hide:
            uncover();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_cover->isVisible())
                coverControls();
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Hidden controls count too: a step may change under the cover.
    void coverControls()
    {
        uncover();
        QWidget *window = m_cover->window();
        if (window == m_cover)
            return;
        const QRect area(m_cover->mapTo(window, QPoint()), m_cover->size());
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (control == m_cover || m_cover->isAncestorOf(control) || control->isAncestorOf(m_cover))
                continue;
            const bool inChain = control->focusPolicy() & Qt::TabFocus;
            if (!inChain && control->property(kCoverCount).toInt() == 0)
                continue;
            const QWidget *shown = shownExtent(control);
            if (!area.intersects(QRect(shown->mapTo(window, QPoint()), shown->size())))
                continue;
            takeOut(control);
            m_covered.emplace_back(control);
        }
    }

    void uncover()
    {
        for (const QPointer<QWidget> &control : m_covered) {
            if (control)
                giveBack(control);
        }
        m_covered.clear();
    }

    QWidget *m_cover;
    std::vector<QPointer<QWidget>> m_covered;
};

} // namespace

void keepCoveredControlsOutOfTabChain(QWidget *cover)
{
    new CoverWatcher(cover);
}

} // namespace karvo
