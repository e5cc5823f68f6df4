#pragma once

#include "layout/FramedChildWindow.h"
#include "model/PremiumFormula.h"

class QLabel;

// How the last "Расчет" made Т, and the most the law lets an insurer charge:
// a small window inside the steps 8-10 window, over the choices of step 10,
// opened from the link "Как рассчитано" and shown without blocking the step.
namespace karvo {

// The lines the window shows, for a breakdown of the model.
// "Т = ТБ × КТ × … = 1980 × 2 × … = 7128"
QString formulaLine(const PremiumBreakdown &breakdown);
// Which products are rounded.
QString roundingLine(const PremiumBreakdown &breakdown);
// "Предельный размер …: 5 × ТБ × КТ = 5 × 1980 × 2 = 19800"
QString maximumLine(const PremiumBreakdown &breakdown);
// That Т is within the maximum, or that the premium may not exceed it.
QString verdictLine(const PremiumBreakdown &breakdown);

class PremiumExplanation : public FramedChildWindow
{
    Q_OBJECT

public:
    // Places itself in `parent`, hidden.
    explicit PremiumExplanation(QWidget *parent);

    void setBreakdown(const PremiumBreakdown &breakdown);
    // The whole explanation as plain text, one line per line shown.
    QString text() const;

    // Shows the window above the step it covers, its text focused.
    void open();

private:
    QLabel *m_text = nullptr;
    QLabel *m_warning = nullptr;
};

} // namespace karvo
