#include "model/TermAndViolation.h"

#include "model/Money.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// clang-format off
const std::array<TermRow, 11> &termTable()
{
    static const std::array<TermRow, 11> table = {{
        {u"от 5 до 15 дней"_s,        u"0,2"_s},
        {u"от 16 дней до 1 месяца"_s, u"0,3"_s},
        {u"2 месяца"_s,               u"0,4"_s},
        {u"3 месяца"_s,               u"0,5"_s},
        {u"4 месяца"_s,               u"0,6"_s},
        {u"5 месяцев"_s,              u"0,65"_s},
        {u"6 месяцев"_s,              u"0,7"_s},
        {u"7 месяцев"_s,              u"0,8"_s},
        {u"8 месяцев"_s,              u"0,9"_s},
        {u"9 месяцев"_s,              u"0,95"_s},
        {u"10 месяцев и более"_s,     u"1"_s},
    }};
    return table;
}
// clang-format on

// КН and the sentence step 9 shows for it.
const QString kKnPlain = u"1"_s;
const QString kKnViolations = u"1,5"_s;
const QString kNoteFirstContract = u"Договор заключается в первые КН = 1"_s;
const QString kNoteNoClaims = u"У вас нет страховых случаев КН = 1"_s;
QString noteClaims(const QString &claimsText)
{
    return u"У вас "_s + claimsText + u" страховых случая КН = 1,5"_s;
}

} // namespace

std::span<const TermRow> kpTermTable()
{
    return termTable();
}

bool chooseTerm(PremiumSheet &sheet, const QString &term)
{
    for (const TermRow &row : termTable()) {
        if (row.term != term)
            continue;
        sheet.setCoefficient(Coefficient::Kp, row.kp);
        sheet.setText(SheetText::Term, row.term);
        return true;
    }
    return false;
}

void setSkip(PremiumSheet &sheet, bool skip)
{
    // Either way the term chosen so far no longer stands: skipping means КП
    // does not apply, and unskipping asks for a term afresh.
    sheet.setSkipTermFlag(skip);
    sheet.setCoefficient(Coefficient::Kp, QString());
    sheet.setText(SheetText::Term, QString());
}

bool mayLeaveStep8(const PremiumSheet &sheet)
{
    return sheet.skipTerm() || !sheet.coefficient(Coefficient::Kp).isEmpty();
}

void deriveKn(PremiumSheet &sheet, const QString &claimsText)
{
    if (sheet.contractKind() == ContractKind::FirstTime) {
        sheet.setCoefficient(Coefficient::Kn, kKnPlain);
        sheet.setText(SheetText::KnNote, kNoteFirstContract);
        return;
    }
    // A renewal without a readable claims count (step 3 normally refuses to go
    // on without one, but the count can be typed over or left empty) counts as
    // no claims known: КН 1 rather than a failed conversion.
    const std::optional<Money> claims = Money::parse(claimsText);
    if (claims && *claims != Money()) {
        sheet.setCoefficient(Coefficient::Kn, kKnViolations);
        sheet.setText(SheetText::KnNote, noteClaims(claimsText));
    } else {
        sheet.setCoefficient(Coefficient::Kn, kKnPlain);
        sheet.setText(SheetText::KnNote, kNoteNoClaims);
    }
}

void leaveStep9Forward(PremiumSheet &sheet)
{
    // A vehicle that skipped step 8 enters the formula with КП 1; remember that
    // it was filled in here so that going back can undo it.
    if (sheet.coefficient(Coefficient::Kp).isEmpty()) {
        sheet.setCoefficient(Coefficient::Kp, u"1"_s);
        sheet.setKpDefaulted(true);
    } else {
        sheet.setKpDefaulted(false);
    }
}

void returnToStep9(PremiumSheet &sheet)
{
    // Before step 9 was first left nothing was defaulted, and КП stays.
    if (sheet.kpDefaulted()) {
        sheet.setKpDefaulted(false);
        sheet.setCoefficient(Coefficient::Kp, QString());
    }
}

QString knRuleText()
{
    return u"При наличии нарушений, предусмотренных пунктом 3 статьи 9 Федерального закона "
           u"\"Об обязательном страховании гражданской ответственности владельцев транспортных "
           u"средств\", применяется коэффициент КН - 1,5"_s;
}

} // namespace karvo
