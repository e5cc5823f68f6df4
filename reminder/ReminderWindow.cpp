#include "reminder/ReminderWindow.h"

#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderDate.h"
#include "reminder/ReminderSwitch.h"
#include "reminder/ReminderTexts.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
namespace texts = karvo::reminder_texts;

namespace karvo {
namespace {

constexpr int pixelsFromTwips(int twips)
{
    return (twips + 7) / 15;
}

QRect pixelsFromTwips(const QRect &twips)
{
    return { pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()), pixelsFromTwips(twips.width()),
        pixelsFromTwips(twips.height()) };
}

// The window as its designer laid it out, in twips; the controls sit in Frame6.
const QPoint kPlaceInParent(1000, 1240);
const QSize kClientSize(7575, 3045);

struct Placement
{
    QString name;
    QRect twips;
};

const Placement kPlacements[] = {
    { u"Frame6"_s, { 120, 120, 7335, 2775 } },
    { u"Label12"_s, { 2760, 360, 1695, 255 } },
    { u"Text4"_s, { 2400, 720, 2415, 405 } },
    { u"Label13"_s, { 600, 840, 1695, 255 } },
    { u"Label1"_s, { 600, 1080, 1815, 255 } },
    { u"Command1"_s, { 2880, 1320, 615, 495 } },
    { u"Command2"_s, { 3600, 1320, 615, 495 } },
};

constexpr int kBorder = 2;
constexpr int kCaptionHeight = 18;

QFont windowFont(double points, bool bold)
{
    // The designer's MS Sans Serif; Liberation Sans keeps its metrics.
    const QString family = u"Liberation Sans"_s;
    QFont font(QFontDatabase::families().contains(family)
            ? family
            : QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

template <class T> T *named(QWidget *parent, const QString &name)
{
    auto *widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

void addCaptionStrip(QFrame *window, int width)
{
    auto *strip = named<QLabel>(window, u"Caption"_s);
    strip->setGeometry(kBorder, kBorder, width, kCaptionHeight);
    strip->setText(kWindowCaption);
    strip->setIndent(4);
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::Highlight);
    strip->setForegroundRole(QPalette::HighlightedText);
    strip->setFont(windowFont(8.25, true));

    auto *close = named<QToolButton>(strip, u"CloseButton"_s);
    close->setText(u"×"_s);
    close->setToolTip(texts::kCloseTooltip);
    // Read by what it does, not as the sign it shows.
    close->setAccessibleName(texts::kCloseTooltip);
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setGeometry(width - kCaptionHeight, 1, kCaptionHeight - 2, kCaptionHeight - 2);
    QObject::connect(close, &QToolButton::clicked, window, &QWidget::hide);
}

} // namespace

ReminderWindow::ReminderWindow(QWidget *parent, std::unique_ptr<ReminderStore> store)
    : QFrame(parent)
    , m_switch(std::make_unique<ReminderSwitch>(std::move(store)))
{
    setObjectName(u"ReminderWindow"_s);
    setWindowTitle(kWindowCaption);
    setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    setLineWidth(kBorder);
    setAutoFillBackground(true);
    setFont(windowFont(8.25, false));

    const QSize client = pixelsFromTwips(QRect(QPoint(), kClientSize)).size();
    setFixedSize(client.width() + 2 * kBorder, client.height() + kCaptionHeight + 2 * kBorder);
    move(pixelsFromTwips(kPlaceInParent.x()), pixelsFromTwips(kPlaceInParent.y()));

    addCaptionStrip(this, client.width());

    auto *area = named<QWidget>(this, u"ClientArea"_s);
    area->setGeometry(kBorder, kBorder + kCaptionHeight, client.width(), client.height());

    auto *frame = named<QGroupBox>(area, u"Frame6"_s);
    frame->setTitle(texts::kFrameCaption);
    m_today = named<QLabel>(frame, u"Label12"_s);
    m_today->setFont(windowFont(12, true));
    m_today->setText(karvo::todayText());
    m_date = named<QLineEdit>(frame, u"Text4"_s);
    auto *prompt = named<QLabel>(frame, u"Label13"_s);
    prompt->setText(texts::kDatePrompt);
    // The prompt names the date box for assistive technology.
    prompt->setBuddy(m_date);
    named<QLabel>(frame, u"Label1"_s)->setText(texts::kDateExample);
    auto *yes = named<QPushButton>(frame, u"Command1"_s);
    yes->setText(texts::kYes);
    auto *no = named<QPushButton>(frame, u"Command2"_s);
    no->setText(texts::kNo);

    for (const Placement &placement : kPlacements)
        area->findChild<QWidget *>(placement.name)->setGeometry(pixelsFromTwips(placement.twips));

    connect(yes, &QPushButton::clicked, this, &ReminderWindow::activate);
    connect(no, &QPushButton::clicked, this, &ReminderWindow::deactivate);
    hide();
}

ReminderWindow::~ReminderWindow() = default;

void ReminderWindow::open()
{
    show();
    raise();
    m_date->setFocus();
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
    const QString date = m_date->text();
    if (date.isEmpty())
        return;

    // A date the launcher can never match would be stored and silently never fire.
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
    showMessage(texts::kActivated);
}

void ReminderWindow::deactivate()
{
    emit deactivated();
    hide();
    const ReminderOutcome outcome = m_switch->deactivate();
    m_date->clear();
    showMessage(outcome.succeeded() ? texts::kDeactivated : texts::kDeactivationFailed + outcome.failure);
}

} // namespace karvo
