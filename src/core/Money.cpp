#include "core/Money.h"

#include "core/Text.h"

#include <cmath>
#include <limits>

namespace {

// Thirteen integer digits: what the NUMERIC(15,2) amount columns hold, and far
// inside qint64 in satang.
constexpr int kMaxIntegerDigits = 13;
constexpr qint64 kMaxSatang = 999999999999999;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Magnitude as "1234.50" without sign; works on the unsigned value so that
// the most negative amount needs no extra handling.
QString magnitudeText(quint64 satang, bool groupThousands)
{
    QString whole = QString::number(satang / 100);
    if (groupThousands) {
        for (qsizetype pos = whole.size() - 3; pos > 0; pos -= 3)
            whole.insert(pos, QLatin1Char(','));
    }
    const auto cents = static_cast<int>(satang % 100);
    return whole + QLatin1Char('.') + QString::number(cents).rightJustified(2, QLatin1Char('0'));
}

QString signedText(qint64 satang, bool groupThousands)
{
    const bool negative = satang < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(satang) : static_cast<quint64>(satang);
    const QString text = magnitudeText(magnitude, groupThousands);
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace

std::optional<Money> Money::parse(const QString& text)
{
    bool tooLarge = false;
    return parse(text, tooLarge);
}

std::optional<Money> Money::parse(const QString& text, bool& tooLarge)
{
    tooLarge = false;
    const QString trimmed = text.trimmed();
    qsizetype pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed[pos] == QLatin1Char('-') || trimmed[pos] == QLatin1Char('+'))) {
        negative = trimmed[pos] == QLatin1Char('-');
        ++pos;
    }

    qint64 whole = 0;
    int significantDigits = 0;
    int digitCount = 0;
    for (; pos < trimmed.size() && isAsciiDigit(trimmed[pos]); ++pos) {
        const int digit = trimmed[pos].unicode() - '0';
        if (significantDigits > 0 || digit != 0)
            ++significantDigits;
        if (significantDigits > kMaxIntegerDigits) {
            // Only a well-formed number counts as too large.
            for (++pos; pos < trimmed.size() && isAsciiDigit(trimmed[pos]); ++pos) {}
            if (pos < trimmed.size() && trimmed[pos] == QLatin1Char('.'))
                for (++pos; pos < trimmed.size() && isAsciiDigit(trimmed[pos]); ++pos) {}
            tooLarge = pos == trimmed.size();
            return std::nullopt;
        }
        whole = whole * 10 + digit;
        ++digitCount;
    }

    // Two decimals are kept; the third decides the rounding, the rest are ignored.
    qint64 fraction = 0;
    int decimals = 0;
    bool roundUp = false;
    if (pos < trimmed.size() && trimmed[pos] == QLatin1Char('.')) {
        for (++pos; pos < trimmed.size() && isAsciiDigit(trimmed[pos]); ++pos) {
            const int digit = trimmed[pos].unicode() - '0';
            if (decimals < 2)
                fraction = fraction * 10 + digit;
            else if (decimals == 2)
                roundUp = digit >= 5;
            ++decimals;
            ++digitCount;
        }
    }
    if (pos != trimmed.size() || digitCount == 0)
        return std::nullopt;

    for (int i = decimals; i < 2; ++i)
        fraction *= 10;
    const qint64 satang = whole * 100 + fraction + (roundUp ? 1 : 0);
    if (satang > kMaxSatang) {
        // 9999999999999.995 rounds past what the columns hold.
        tooLarge = true;
        return std::nullopt;
    }
    return Money(negative ? -satang : satang);
}

Money Money::fromDouble(double value)
{
    if (std::isnan(value))
        return Money();
    const long double scaled = std::round(static_cast<long double>(value) * 100.0L);
    // 2^63 is exact as a long double; anything at or beyond it saturates.
    constexpr long double limit = 9223372036854775808.0L;
    if (scaled >= limit)
        return Money(std::numeric_limits<qint64>::max());
    if (scaled < -limit)
        return Money(std::numeric_limits<qint64>::min());
    return Money(static_cast<qint64>(scaled));
}

QString Money::toPlainText() const
{
    return signedText(satang_, false);
}

double Money::toDouble() const
{
    // A single correctly rounded division gives the double nearest the decimal.
    return static_cast<double>(satang_) / 100.0;
}

QString FormatAmount(Money amount)
{
    return signedText(amount.satang(), true);
}

TypedAmount ParseTypedAmount(const QString& typed)
{
    bool tooLarge = false;
    const std::optional<Money> amount = Money::parse(StripCommas(typed), tooLarge);
    if (amount && !WithinLargestAmount(*amount))
        return {std::nullopt, TypedAmount::Error::TooLarge};
    if (amount)
        return {amount, TypedAmount::Error::None};
    return {std::nullopt, tooLarge ? TypedAmount::Error::TooLarge : TypedAmount::Error::NotANumber};
}
