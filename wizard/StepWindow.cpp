#include "wizard/StepWindow.h"

#include "layout/ClickableLabel.h"
#include "notes/NoteLinks.h"
#include "platform/Messages.h"
#include "wizard/WizardTexts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

StepWindow::StepWindow(const QString &name)
{
    setObjectName(name);
    removeCloseBox();
    setWindowTitle(kWindowCaption);
    // Before any control exists, so that every one starts with it.
    setPalette(designPalette());
    setFont(defaultWindowFont());
    setFixedSize(kWidth, kHeight);
    // 240 twips from the left and the top of the screen.
    move(pixelsFromTwips(240), pixelsFromTwips(240));
}

void StepWindow::removeCloseBox()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
}

void StepWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

std::vector<ControlRow> StepWindow::footerRows(const QRect &exitTwips)
{
    using K = ControlKind;
    return {
        { u"exitButton"_s, {}, K::Button, exitTwips, Plain, texts::kExit, {}, {}, into(m_exitButton) },
        { u"siteLink"_s, {}, K::Link, { 120, 7440, 2895, 255 }, Bold | Blue, kAuthorSite, {}, {},
            into(m_siteLink) },
        { u"rightsNotice"_s, {}, K::Label, { 3240, 7680, 3015, 255 }, Blue | Serif, kRightsNotice },
        { u"emailLink"_s, {}, K::Link, { 6300, 7440, 1995, 255 }, Bold | Blue, kAuthorEmail, {}, {},
            into(m_emailLink) },
    };
}

void StepWindow::build(std::span<const ControlRow> rows, const QRect &exitTwips)
{
    buildControls(this, rows);
    const std::vector<ControlRow> footer = footerRows(exitTwips);
    const Controls built = buildControls(this, footer);
    for (const ControlRow &row : footer)
        m_footer.append(built.widget(row.name));

    connect(m_exitButton, &QPushButton::clicked, this, &StepWindow::exitClicked);
    m_emailLink->setToolTip(kEmailTooltip);
    // The links take their target from their own caption at the moment of the
    // click, so what is shown is what opens.
    connect(m_emailLink, &ClickableLabel::clicked, this, [this] { openMail(m_emailLink->text(), tellUser); });
    m_siteLink->setToolTip(kSiteTooltip);
    connect(m_siteLink, &ClickableLabel::clicked, this, [this] { openSite(m_siteLink->text(), tellUser); });
}

void StepWindow::buildStep(int) { }

void StepWindow::buildMore(std::span<const ControlRow> rows)
{
    buildControls(this, rows);
    // New controls join the window's tab chain at its end, behind the footer.
    QWidget *previous = nullptr;
    for (QWidget *w = previousInFocusChain(); w != this && !previous && !m_footer.contains(w);
         w = w->previousInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus)
            previous = w;
    }
    for (QWidget *footer : std::as_const(m_footer)) {
        if (previous && footer->focusPolicy() != Qt::NoFocus) {
            QWidget::setTabOrder(previous, footer);
            previous = footer;
        }
    }
}

void StepWindow::addStep(int step, QWidget *frame, QPushButton *back, QPushButton *next)
{
    m_frames.insert(step, frame);
    if (back)
        connect(back, &QPushButton::clicked, this, [this, step] { emit backClicked(step); });
    if (next) {
        connect(next, &QPushButton::clicked, this, [this, step] { emit nextClicked(step); });
        setEnterButton(step, next);
    }
}

void StepWindow::setEnterButton(int step, QPushButton *button)
{
    m_enterButtons.insert(step, button);
}

void StepWindow::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QPushButton *button = m_enterButtons.value(m_current);
    if (!enter || !button) {
        QWidget::keyPressEvent(event);
        return;
    }
    // A focused button is what the user means by Enter.
    if (auto *focused = qobject_cast<QPushButton *>(focusWidget())) {
        event->accept();
        focused->click();
        return;
    }
    for (QWidget *w = focusWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QComboBox *>(w)) {
            QWidget::keyPressEvent(event);
            return;
        }
    }
    event->accept();
    if (button->isEnabled() && button->isVisible())
        button->click();
}

void StepWindow::showStep(int step)
{
    buildStep(step);
    Q_ASSERT(m_frames.contains(step));
    m_frames.value(step)->show();
    for (auto it = m_frames.cbegin(); it != m_frames.cend(); ++it) {
        if (it.key() != step)
            it.value()->hide();
    }
    m_current = step;
    // Keyboard users go on where the step starts: its first control.
    if (isVisible())
        focusFirstControl();
}

void StepWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_frames.value(m_current) || !m_frames.value(m_current)->isAncestorOf(focusWidget()))
        focusFirstControl();
}

void StepWindow::focusFirstControl()
{
    QWidget *frame = m_frames.value(m_current);
    if (!frame)
        return;
    // Controls built after the window lie further down the chain than their
    // frame: the whole chain is searched.
    for (QWidget *w = frame->nextInFocusChain(); w != frame; w = w->nextInFocusChain()) {
        if (frame->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this)
            && w->isEnabled()) {
            // In a group of choices the focus belongs on the chosen one.
            auto *choice = qobject_cast<QAbstractButton *>(w);
            QAbstractButton *chosen = choice && choice->group() ? choice->group()->checkedButton() : nullptr;
            if (chosen && chosen->isVisibleTo(this) && chosen->isEnabled())
                w = chosen;
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace karvo
