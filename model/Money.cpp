#include "model/Money.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace karvo {
namespace {

// The exact product of two values needs 128 bits before it is rounded back.
__extension__ typedef __int128 Wide;

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

// Divides a 128-bit value by a positive divisor, rounding halves to even.
Wide divideHalfEven(Wide value, Wide divisor)
{
    Wide quotient = value / divisor;
    Wide remainder = value % divisor;
    if (remainder == 0)
        return quotient;
    const bool negative = remainder < 0;
    const Wide twice = (negative ? -remainder : remainder) * 2;
    if (twice > divisor || (twice == divisor && (quotient % 2) != 0))
        quotient += negative ? -1 : 1;
    return quotient;
}

std::optional<Money> fromWide(Wide raw)
{
    if (raw > kMax || raw < kMin)
        return std::nullopt;
    return Money::fromRaw(static_cast<qint64>(raw));
}

} // namespace

std::optional<Money> Money::parse(QStringView text)
{
    text = text.trimmed();
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }

    // Digits are gathered into a 128-bit value scaled by a power of ten; long
    // texts stop growing it once it is far beyond the 64-bit range.
    constexpr Wide kCeiling = Wide(kMax) * kScale * 10;
    Wide value = 0;
    int intDigits = 0;
    bool overflow = false;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
        if (value < kCeiling)
            value = value * 10 + (text[pos].unicode() - u'0');
        else
            overflow = true;
        ++intDigits;
        ++pos;
    }

    int fracDigits = 0;
    Wide fraction = 0; // the fraction scaled to 10^8, enough to round to 10^4
    int fracScale = 100'000'000;
    bool fractionTail = false; // a nonzero digit beyond eight decimals
    if (pos < text.size() && (text[pos] == u',' || text[pos] == u'.')) {
        ++pos;
        while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
            const int digit = text[pos].unicode() - u'0';
            if (fracScale > 1) {
                fracScale /= 10;
                fraction += Wide(digit) * fracScale;
            } else if (digit != 0) {
                fractionTail = true;
            }
            ++fracDigits;
            ++pos;
        }
    }
    if (pos != text.size() || intDigits + fracDigits == 0 || overflow)
        return std::nullopt;

    // Round the eight-decimal fraction to four, halves to even; digits past the
    // eighth only matter to break an exact half.
    constexpr Wide kStep = 10'000;
    Wide units = value * kScale + fraction / kStep;
    const Wide rest = fraction % kStep;
    if (rest > kStep / 2 || (rest == kStep / 2 && (fractionTail || units % 2 != 0)))
        ++units;
    return fromWide(negative ? -units : units);
}

std::optional<Money> Money::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = value * double(kScale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (scaled >= 9223372036854775808.0 || scaled < -9223372036854775808.0)
        return std::nullopt;
    // nearbyint rounds in the current mode, which is to-nearest-even unless
    // someone changed it; say so explicitly rather than trust that.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(scaled);
    std::fesetround(previous);
    if (rounded >= 9223372036854775808.0)
        return std::nullopt;
    return Money(static_cast<qint64>(rounded));
}

std::optional<Money> Money::times(Money other) const
{
    const Wide product = Wide(m_raw) * Wide(other.m_raw);
    return fromWide(divideHalfEven(product, kScale));
}

QString Money::toText() const
{
    const bool negative = m_raw < 0;
    // Work in unsigned so that the most negative value has a magnitude too.
    const quint64 magnitude = negative ? quint64(0) - quint64(m_raw) : quint64(m_raw);
    QString text = QString::number(magnitude / quint64(kScale));
    quint64 fraction = magnitude % quint64(kScale);
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u',' + digits;
    }
    return negative ? u'-' + text : text;
}

} // namespace karvo
