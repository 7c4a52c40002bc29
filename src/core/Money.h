#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// An amount of money held exactly as a whole number of satang, so that sums
// of typed two-decimal amounts never drift the way doubles do.
class Money {
public:
    constexpr Money() = default;

    static constexpr Money fromSatang(qint64 s) { return Money(s); }
    constexpr qint64 satang() const { return satang_; }

    // Parses a plain decimal as typed after StripCommas: optional leading '-'
    // or '+', digits, optional '.' and digits. Surrounding spaces allowed.
    // More than two decimals are rounded half away from zero to the satang.
    // Returns std::nullopt for anything else (empty text, letters, two points,
    // only a sign, more than 13 integer digits, what the amount columns hold).
    static std::optional<Money> parse(const QString& text);
    // The same; tooLarge tells a well-formed number beyond 13 integer digits
    // apart from text that is no number at all.
    static std::optional<Money> parse(const QString& text, bool& tooLarge);

    // Rounded to the nearest satang (halves away from zero); amounts beyond
    // the range saturate and NaN gives zero.
    static Money fromDouble(double value);

    // "1234.50", "-0.05", "0.00": '.' as decimal point, no separators.
    QString toPlainText() const;
    double toDouble() const;

    Money operator+(Money other) const { return Money(satang_ + other.satang_); }
    Money operator-(Money other) const { return Money(satang_ - other.satang_); }
    Money& operator+=(Money other)
    {
        satang_ += other.satang_;
        return *this;
    }
    Money operator-() const { return Money(-satang_); }

    auto operator<=>(const Money&) const = default;
    bool operator==(const Money&) const = default;

private:
    constexpr explicit Money(qint64 s) : satang_(s) {}

    qint64 satang_ = 0;
};

// The amount display format: thousands separators "," and two decimals,
// "-" before negatives: "1,234.50", "-1,500.00", "0.00".
QString FormatAmount(Money amount);

// The largest amount a field shows whole, 99,999,999,999.99: an amount
// typed, a line of an invoice and an invoice's total are refused beyond it
// (the columns could hold more, but no screen, page or sheet could show it).
inline constexpr Money kLargestAmount = Money::fromSatang(9'999'999'999'999);
inline bool WithinLargestAmount(Money amount)
{
    return amount <= kLargestAmount && -amount <= kLargestAmount;
}

// An amount as typed into a field: thousands separators removed, then
// parsed; TooLarge beyond kLargestAmount either way.
struct TypedAmount {
    enum class Error { None, NotANumber, TooLarge };
    std::optional<Money> amount;
    Error error = Error::None;
};
TypedAmount ParseTypedAmount(const QString& typed);
