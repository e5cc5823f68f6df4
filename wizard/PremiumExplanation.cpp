#include "wizard/PremiumExplanation.h"

#include "layout/LayoutTable.h"
#include "wizard/WizardTexts.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Over the choices of step 10, clear of the Т box, the buttons, the link that
// opens it and the warning above the choices.
constexpr QPoint kPlaceInParent(32, 30);
constexpr int kWidth = 588;
constexpr int kMargin = 8;

const QString kTimes = u" × "_s;

QString joined(const std::vector<PremiumFactor> &factors, std::size_t bracket, bool values)
{
    QString text;
    for (std::size_t i = 0; i < factors.size(); ++i) {
        if (i > 0)
            text += kTimes;
        if (i == 0 && bracket > 0)
            text += u'(';
        text += values ? factors[i].value.toText() : factors[i].name();
        if (i + 1 == bracket)
            text += u')';
    }
    return text;
}

} // namespace

QString formulaLine(const PremiumBreakdown &breakdown)
{
    return u"Т = "_s + joined(breakdown.factors, breakdown.bracket, false) + u" = "_s
        + joined(breakdown.factors, breakdown.bracket, true) + u" = "_s + breakdown.t.toText();
}

QString roundingLine(const PremiumBreakdown &breakdown)
{
    if (!breakdown.floating)
        return texts::kRoundedEveryStep;
    return breakdown.bracket > 0 ? texts::kRoundedAfterBracket : texts::kRoundedAtEnd;
}

QString maximumLine(const PremiumBreakdown &breakdown)
{
    const QString times = QString::number(breakdown.maximumTimes);
    QString line = texts::kMaximumPrefix + times + kTimes + joined(breakdown.maximumFactors, 0, false)
        + u" = "_s + times + kTimes + joined(breakdown.maximumFactors, 0, true);
    // A maximum beyond the fixed-point range has no value to show; no Т can
    // reach it.
    if (breakdown.maximum)
        line += u" = "_s + breakdown.maximum->toText();
    return line;
}

QString verdictLine(const PremiumBreakdown &breakdown)
{
    if (breakdown.exceedsMaximum && breakdown.maximum)
        return texts::kAboveMaximum.arg(breakdown.maximum->toText());
    return texts::kWithinMaximum;
}

PremiumExplanation::PremiumExplanation(QWidget *parent)
    : FramedChildWindow(parent, texts::kExplanationCaption, texts::kExplanationCaption)
{
    setObjectName(u"explanation"_s);
    clientArea()->setObjectName(u"explanationClient"_s);
    QAbstractButton *close = closeButton();
    close->setObjectName(u"explanationClose"_s);
    close->setFocusPolicy(Qt::TabFocus);

    // Selectable labels: the text can be read, selected and copied with the
    // keyboard, and assistive technology reads it as the label's name.
    m_text = new QLabel(clientArea());
    m_text->setObjectName(u"explanationText"_s);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    m_warning = new QLabel(clientArea());
    m_warning->setObjectName(u"explanationWarning"_s);
    m_warning->setTextFormat(Qt::PlainText);
    m_warning->setWordWrap(true);
    m_warning->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont bold = m_warning->font();
    bold.setBold(true);
    m_warning->setFont(bold);
    QPalette red = m_warning->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_warning->setPalette(red);

    auto *layout = new QVBoxLayout(clientArea());
    // Inside the frame's own width, as the text has always been placed.
    layout->setContentsMargins(
        kBorder + kMargin, kBorder + kMargin / 2, kBorder + kMargin, kBorder + kMargin);
    layout->setSpacing(kMargin / 2);
    layout->addWidget(m_text);
    layout->addWidget(m_warning);

    setTabOrder(m_text, m_warning);
    setTabOrder(m_warning, close);
    move(kPlaceInParent);
    resize(kWidth, kCaptionHeight * 4);
}

void PremiumExplanation::setBreakdown(const PremiumBreakdown &breakdown)
{
    QStringList lines { formulaLine(breakdown), roundingLine(breakdown), maximumLine(breakdown) };
    if (breakdown.exceedsMaximum) {
        m_warning->setText(verdictLine(breakdown));
        m_warning->show();
    } else {
        lines << verdictLine(breakdown);
        m_warning->clear();
        m_warning->hide();
    }
    m_text->setText(lines.join(u'\n'));
    setAccessibleDescription(text());
    m_warning->setAccessibleDescription(m_warning->text());
    const int clientWidth = kWidth - 2 * kBorder;
    setClientSize({ clientWidth, clientArea()->layout()->totalHeightForWidth(clientWidth) });
}

QString PremiumExplanation::text() const
{
    return m_warning->text().isEmpty() ? m_text->text() : m_text->text() + u'\n' + m_warning->text();
}

void PremiumExplanation::open()
{
    FramedChildWindow::open(m_text);
}

} // namespace karvo
