#include "reminder/ReminderWindow.h"

#include "layout/LayoutTable.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderDate.h"
#include "reminder/ReminderSwitch.h"
#include "reminder/ReminderTexts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;
namespace texts = karvo::reminder_texts;

namespace karvo {
namespace {

// The window as its designer laid it out, in twips. Its labels have always
// shown their one line centred in their boxes.
const QPoint kPlaceInParent(1000, 1240);
const QSize kClientSize(7575, 3045);

// karvo.ini only remembers the tick for the next start: the reminder is on
// or off all the same, and the user learns that the tick will not follow.
QString withIniNote(const QString &message, const ReminderOutcome &outcome)
{
    if (outcome.iniFailure.isEmpty())
        return message;
    return message + u'\n' + texts::kTickNotRemembered + outcome.iniFailure;
}

} // namespace

std::vector<ControlRow> ReminderWindow::rows()
{
    using K = ControlKind;
    // karvo::Plain: inside a frame, Plain alone is the frame's shadow.
    return {
        { u"dateFrame"_s, {}, K::Frame, { 120, 120, 7335, 2775 }, karvo::Plain, texts::kFrameCaption },
        { u"todayLabel"_s, u"dateFrame"_s, K::Label, { 2760, 360, 1695, 255 }, Bold | Huge | Middle, {}, {},
            {}, into(m_today) },
        { u"dateBox"_s, u"dateFrame"_s, K::LineEdit, { 2400, 720, 2415, 405 }, karvo::Plain, {},
            u"datePrompt"_s, {}, into(m_date) },
        { u"datePrompt"_s, u"dateFrame"_s, K::Label, { 600, 840, 1695, 255 }, Middle, texts::kDatePrompt },
        { u"dateExample"_s, u"dateFrame"_s, K::Label, { 600, 1080, 1815, 255 }, Middle, texts::kDateExample },
        { u"yesButton"_s, u"dateFrame"_s, K::Button, { 2880, 1320, 615, 495 }, karvo::Plain, texts::kYes, {},
            {}, into(m_yes) },
        { u"noButton"_s, u"dateFrame"_s, K::Button, { 3600, 1320, 615, 495 }, karvo::Plain, texts::kNo, {},
            {}, into(m_no) },
    };
}

ReminderWindow::ReminderWindow(QWidget *parent, std::unique_ptr<ReminderStore> store)
    : FramedChildWindow(parent, kWindowCaption, texts::kWindowName)
    , m_switch(std::make_unique<ReminderSwitch>(std::move(store)))
{
    setObjectName(u"reminderWindow"_s);
    setWindowTitle(kWindowCaption);
    // Escape closes the window, so its "×" takes no place in the tab chain.
    closeButton()->setFocusPolicy(Qt::NoFocus);
    setClientSize({ pixelsFromTwips(kClientSize.width()), pixelsFromTwips(kClientSize.height()) });
    setFixedSize(size());
    move(pixelsFromTwips(kPlaceInParent.x()), pixelsFromTwips(kPlaceInParent.y()));

    buildControls(clientArea(), rows());
    m_today->setText(karvo::todayText());
    connect(m_date, &QLineEdit::textEdited, this, &ReminderWindow::dateEdited);
    connect(m_yes, &QPushButton::clicked, this, &ReminderWindow::activate);
    connect(m_no, &QPushButton::clicked, this, &ReminderWindow::deactivate);
}

ReminderWindow::~ReminderWindow() = default;

void ReminderWindow::open()
{
    FramedChildWindow::open(m_date);
}

QString ReminderWindow::todayText() const
{
    return m_today->text();
}

QString ReminderWindow::dateText() const
{
    return m_date->text();
}

void ReminderWindow::setDateText(const QString &text)
{
    // karvo.ini may hold a date an older version wrote in another locale's form.
    m_date->setText(reminderDateFromStored(text, QDate::currentDate()));
}

void ReminderWindow::activate()
{
    // An empty box is answered like any other unreadable date: by the form
    // the date is wanted in.
    const QString date = m_date->text();
    // A date the launcher cannot read would be stored and silently never
    // fire; a past one would fire at the very next log-on.
    const QDate today = QDate::currentDate();
    switch (checkReminderDate(date, today)) {
    case ReminderDateCheck::Accepted:
        break;
    case ReminderDateCheck::NotAShortDate:
        showMessage(texts::kExpectedForm + shortDateText(today.addYears(1)));
        return;
    case ReminderDateCheck::NoSuchDate:
        showMessage(texts::kNoSuchDate + date);
        return;
    case ReminderDateCheck::Past:
        showMessage(texts::kDatePassed + shortDateText(today));
        return;
    }

    const ReminderOutcome outcome = m_switch->activate(date, programFile(u"dremo"_s));
    if (!outcome.succeeded()) {
        showMessage(texts::kActivationFailed + outcome.failure);
        return;
    }
    hide();
    showMessage(withIniNote(texts::kActivated, outcome));
}

void ReminderWindow::deactivate()
{
    emit deactivated();
    hide();
    const ReminderOutcome outcome = m_switch->deactivate();
    m_date->clear();
    showMessage(withIniNote(
        outcome.succeeded() ? texts::kDeactivated : texts::kDeactivationFailed + outcome.failure, outcome));
}

} // namespace karvo
