#pragma once

#include "layout/LayoutTable.h"

#include <QMap>
#include <QWidget>

class QPushButton;

#include <vector>

// What the three step windows share: the fixed window of 652 × 532 pixels at
// the same place with the caption "karvo 2012", no close box, the step frames
// of which one is visible at a time, the navigation buttons that report to the
// wizard, the "Выход" button and the footer links.
namespace karvo {

class ClickableLabel;

class StepWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 652;
    static constexpr int kHeight = 532;

    explicit StepWindow(const QString &name);

    // Asks the window manager for a title bar without a close box; Alt+F4
    // and the window manager's close request are ignored as well (see
    // closeEvent). "Выход" is the only way out.
    void removeCloseBox();

    // The step whose frame is visible, or 0 before any.
    int currentStep() const { return m_current; }
    void showStep(int step);
    bool hasStep(int step) const { return m_frames.contains(step); }

signals:
    void nextClicked(int step);
    void backClicked(int step);
    void exitClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

    // Builds the window's rows, then the exit button at `exitTwips` and the
    // footer links.
    void build(std::span<const ControlRow> rows, const QRect &exitTwips);
    // Builds the controls of a step whose frame was left empty at the start,
    // before the step is shown; does nothing for a step already built.
    virtual void buildStep(int step);
    // Builds rows whose parents exist already (a step's frame). The footer
    // stays last in the tab order, where build() put it.
    void buildMore(std::span<const ControlRow> rows);
    // Registers a step frame and wires its buttons (either may be null). The
    // next button is also what Enter presses on that step.
    void addStep(int step, QWidget *frame, QPushButton *back, QPushButton *next);
    // The button Enter presses on a step without a next button.
    void setEnterButton(int step, QPushButton *button);

    // Enter presses the visible step's next button (or its Enter button),
    // unless a drop-down has the focus: Enter there belongs to the box (its
    // open list), and typed text is no choice to go on with.
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::vector<ControlRow> footerRows(const QRect &exitTwips);
    void focusFirstControl();

    QList<QWidget *> m_footer;
    QPushButton *m_exitButton = nullptr;
    ClickableLabel *m_siteLink = nullptr;
    ClickableLabel *m_emailLink = nullptr;

    QMap<int, QWidget *> m_frames;
    QMap<int, QPushButton *> m_enterButtons;
    int m_current = 0;
};

} // namespace karvo
