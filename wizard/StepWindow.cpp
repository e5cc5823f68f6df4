#include "wizard/StepWindow.h"

#include "notes/NoteLinks.h"
#include "platform/Messages.h"
#include "wizard/ClickableLabel.h"
#include "wizard/WizardTexts.h"

#include <QCloseEvent>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

std::vector<ControlRow> footerRows(const FooterNames &names)
{
    using K = ControlKind;
    return {
        { u"Command4"_s, {}, K::Button, names.exitTwips, Plain, texts::kExit },
        { names.site, {}, K::Link, { 120, 7440, 2895, 255 }, Bold | Blue, kAuthorSite },
        { names.rights, {}, K::Label, { 3240, 7680, 3015, 255 }, Blue | Serif, kRightsNotice },
        { names.email, {}, K::Link, { 6300, 7440, 1995, 255 }, Bold | Blue, kAuthorEmail },
    };
}

StepWindow::StepWindow(const QString &name)
{
    setObjectName(name);
    DisableXbutton();
    setWindowTitle(kWindowCaption);
    setFont(defaultWindowFont());
    setFixedSize(kWidth, kHeight);
    // 240 twips from the left and the top of the screen.
    move(pixelsFromTwips(240), pixelsFromTwips(240));
}

void StepWindow::DisableXbutton()
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
}

void StepWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void StepWindow::build(std::span<const ControlRow> rows, const FooterNames &footer)
{
    m_controls = buildControls(this, rows);
    const std::vector<ControlRow> exitAndLinks = footerRows(footer);
    const Controls footerControls = buildControls(this, exitAndLinks);
    for (const ControlRow &row : exitAndLinks)
        m_controls.add(row.name, footerControls.widget(row.name));

    connect(control<QPushButton>(u"Command4"_s), &QPushButton::clicked, this, &StepWindow::exitClicked);
    auto *email = control<ClickableLabel>(footer.email);
    email->setToolTip(kEmailTooltip);
    // The links take their target from their own caption at the moment of the
    // click, so what is shown is what opens.
    connect(email, &ClickableLabel::clicked, this, [email] { openMail(email->text()); });
    auto *site = control<ClickableLabel>(footer.site);
    site->setToolTip(kSiteTooltip);
    connect(site, &ClickableLabel::clicked, this, [site] { openSite(site->text()); });
}

void StepWindow::addStep(int step, const QString &frame, const QString &back, const QString &next)
{
    m_frames.insert(step, control<QWidget>(frame));
    if (!back.isEmpty())
        connect(control<QPushButton>(back), &QPushButton::clicked, this,
            [this, step] { emit backClicked(step); });
    if (!next.isEmpty())
        connect(control<QPushButton>(next), &QPushButton::clicked, this,
            [this, step] { emit nextClicked(step); });
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
}

} // namespace karvo
