#pragma once

#include "layout/FramedChildWindow.h"
#include "layout/LayoutTable.h"
#include "reminder/ReminderStore.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

// The reminder window: the user types the day from which the launcher is to
// start the calculator at log-on. It lives inside the steps 8-10 window, on
// top of step 10, and is shown without blocking it; its "×" and Escape close
// it and leave the reminder as it is.
namespace karvo {

class ReminderSwitch;

class ReminderWindow : public FramedChildWindow
{
    Q_OBJECT

public:
    // `parent` is the steps 8-10 window; the window places itself in it,
    // hidden. Without a store it uses the user's XDG store.
    explicit ReminderWindow(QWidget *parent, std::unique_ptr<ReminderStore> store = {});
    ~ReminderWindow() override;

    // Shows the window above the step it covers, ready for typing.
    void open();

    // Today's date as shown at the top of the window.
    QString todayText() const;

    QString dateText() const;
    void setDateText(const QString &text);

signals:
    // "Нет": the reminder tick of step 10 is to be cleared.
    void deactivated();
    // The user changed the date.
    void dateEdited(const QString &text);

private:
    void activate();
    void deactivate();

    std::unique_ptr<ReminderSwitch> m_switch;
    std::vector<ControlRow> rows();

    QLabel *m_today = nullptr;
    QLineEdit *m_date = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
};

} // namespace karvo
