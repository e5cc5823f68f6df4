#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The tariffs' fixed-point number: a signed 64-bit count of ten-thousandths.
// Coefficients are held as text everywhere else; only the premium formula and
// the kilowatt labels turn them into numbers, and always through this type, so
// that every rounding is the same: to four decimals, halves to even.
namespace karvo {

class Money
{
public:
    static constexpr qint64 kScale = 10'000;

    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw) { return Money(raw); }
    static constexpr Money fromInt(qint64 whole) { return Money(whole * kScale); }

    // Reads a coefficient text: optional sign, digits, a decimal comma (a point
    // is taken too), more digits; blanks around it are ignored. More than four
    // decimals round to four, halves to even. Empty text, anything else, or a
    // value beyond the 64-bit range gives nothing.
    static std::optional<Money> parse(QStringView text);

    // Nearest fixed-point value, halves to even; nothing for NaN, infinities
    // and values beyond the 64-bit range.
    static std::optional<Money> fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(kScale); }
    constexpr bool isNegative() const { return m_raw < 0; }

    // The exact product rounded to four decimals, halves to even; nothing when
    // it does not fit.
    std::optional<Money> times(Money other) const;

    // "1980", "1,7", "0,95", "3498,1239": decimal comma, no grouping, no
    // trailing zeros.
    QString toText() const;

    friend constexpr bool operator==(Money, Money) = default;

private:
    constexpr explicit Money(qint64 raw)
        : m_raw(raw)
    {
    }
    qint64 m_raw = 0;
};

} // namespace karvo
