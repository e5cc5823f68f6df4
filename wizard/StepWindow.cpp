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

std::vector<ControlRow> footerRows(const QRect &exitTwips)
{
    using K = ControlKind;
    return {
        { u"exitButton"_s, {}, K::Button, exitTwips, Plain, texts::kExit },
        { u"siteLink"_s, {}, K::Link, { 120, 7440, 2895, 255 }, Bold | Blue, kAuthorSite },
        { u"rightsNotice"_s, {}, K::Label, { 3240, 7680, 3015, 255 }, Blue | Serif, kRightsNotice },
        { u"emailLink"_s, {}, K::Link, { 6300, 7440, 1995, 255 }, Bold | Blue, kAuthorEmail },
    };
}

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

void StepWindow::build(std::span<const ControlRow> rows, const QRect &exitTwips)
{
    m_controls = buildControls(this, rows);
    const std::vector<ControlRow> exitAndLinks = footerRows(exitTwips);
    const Controls footerControls = buildControls(this, exitAndLinks);
    for (const ControlRow &row : exitAndLinks)
        m_controls.add(row.name, footerControls.widget(row.name));

    connect(control<QPushButton>(u"exitButton"_s), &QPushButton::clicked, this, &StepWindow::exitClicked);
    auto *email = control<ClickableLabel>(u"emailLink"_s);
    email->setToolTip(kEmailTooltip);
    // The links take their target from their own caption at the moment of the
    // click, so what is shown is what opens.
    connect(email, &ClickableLabel::clicked, this, [email] { openMail(email->text(), tellUser); });
    auto *site = control<ClickableLabel>(u"siteLink"_s);
    site->setToolTip(kSiteTooltip);
    connect(site, &ClickableLabel::clicked, this, [site] { openSite(site->text(), tellUser); });
}

void StepWindow::addStep(int step, const QString &frame, const QString &back, const QString &next)
{
    m_frames.insert(step, control<QWidget>(frame));
    if (!back.isEmpty())
        connect(control<QPushButton>(back), &QPushButton::clicked, this,
            [this, step] { emit backClicked(step); });
    if (!next.isEmpty()) {
        connect(control<QPushButton>(next), &QPushButton::clicked, this,
            [this, step] { emit nextClicked(step); });
        setEnterButton(step, next);
    }
}

void StepWindow::setEnterButton(int step, const QString &button)
{
    m_enterButtons.insert(step, control<QPushButton>(button));
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
    for (QWidget *w = frame->nextInFocusChain(); w != frame && frame->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
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
