#include "util/Utility.h"

#include <QStringView>

#include <array>
#include <cmath>
#include <limits>


namespace {

const std::array<QString, 10> kDigitWords = {
    QString(),          QStringLiteral("หนึ่ง"), QStringLiteral("สอง"), QStringLiteral("สาม"),
    QStringLiteral("สี่"), QStringLiteral("ห้า"),   QStringLiteral("หก"),   QStringLiteral("เจ็ด"),
    QStringLiteral("แปด"), QStringLiteral("เก้า"),
};

// Place words indexed by the power of ten (index 0, the units, has none).
const std::array<QString, 7> kPlaceWords = {
    QString(),           QStringLiteral("สิบ"),  QStringLiteral("ร้อย"), QStringLiteral("พัน"),
    QStringLiteral("หมื่น"), QStringLiteral("แสน"), QStringLiteral("ล้าน"),
};

const QString kMillion = QStringLiteral("ล้าน");

// Tens digit: 1 is "สิบ" alone, 2 is "ยี่สิบ".
void appendTens(QString& out, int t)
{
    if (t == 1)
        out += kPlaceWords[1];
    else if (t == 2)
        out += QStringLiteral("ยี่") + kPlaceWords[1];
    else if (t > 2)
        out += kDigitWords[t] + kPlaceWords[1];
}

// Words for 0 .. 9,999,999; the millions digit takes the place word "ล้าน".
void appendGroup(QString& out, qint64 v)
{
    qint64 power = 1000000;
    for (int n = 6; n >= 2; --n, power /= 10) {
        const auto d = static_cast<int>(v / power);
        if (d > 0) {
            out += kDigitWords[d] + kPlaceWords[n];
            v -= d * power;
        }
    }
    const auto t = static_cast<int>(v / 10);
    appendTens(out, t);
    const auto u = static_cast<int>(v - 10 * t);
    // A final one after a tens digit is "เอ็ด" (21 = ยี่สิบเอ็ด), otherwise "หนึ่ง" (101).
    out += (u == 1 && t > 0) ? QStringLiteral("เอ็ด") : kDigitWords[u];
}

// Whole number given as decimal digits without leading zeros. From ten
// million up, the count of millions is spelled by the same routine and
// followed by "ล้าน", so the rule repeats for millions of millions.
void appendWhole(QString& out, QStringView digits)
{
    if (digits.size() > 7) {
        appendWhole(out, digits.chopped(6));
        out += kMillion;
        digits = digits.right(6);
    }
    appendGroup(out, digits.toLongLong());
}

void appendSatang(QString& out, int s)
{
    const int g = s / 10;
    appendTens(out, g);
    const int m = s - 10 * g;
    if (m == 1)
        out += out.isEmpty() ? kDigitWords[1] : QStringLiteral("เอ็ด");
    else
        out += kDigitWords[m];
    out += QStringLiteral("สตางค์");
}

// Rounds to the nearest whole number, an exact half going to the even neighbour,
// independently of the floating-point rounding mode.
long double roundHalfEven(long double x)
{
    const long double lower = std::floor(x);
    const long double diff = x - lower;
    if (diff > 0.5L)
        return lower + 1;
    if (diff < 0.5L)
        return lower;
    return std::fmod(lower, 2.0L) == 0 ? lower : lower + 1;
}

// Below 2^53 a double may carry a fraction; from there on it is whole.
constexpr double kFractionLimit = 9007199254740992.0;

// A double times 100 needs at most 60 significant bits; with a wider
// long double the product is exact and rounding it once gives the satang
// of the value actually passed, with no error from a separate fraction.
static_assert(std::numeric_limits<long double>::digits >= 60,
              "satang rounding relies on an exact amount * 100 product");

} // namespace

namespace {

QString spellBaht(bool negative, const QString& wholeDigits, int satang)
{
    QString text;
    // An amount that rounds to nothing reads as zero, not as "minus zero".
    if (negative && (satang != 0 || wholeDigits != QLatin1String("0")))
        text += QStringLiteral("ลบ");
    appendWhole(text, wholeDigits);
    text += QStringLiteral("บาท");

    QString satangText;
    if (satang > 0)
        appendSatang(satangText, satang);
    text += satangText.isEmpty() ? QStringLiteral("ถ้วน") : satangText;
    return text;
}

} // namespace

QString BahtText(Money amount)
{
    const qint64 s = amount.satang();
    // The magnitude as unsigned, so that the smallest int64 has one too.
    const quint64 magnitude = s < 0 ? quint64(0) - quint64(s) : quint64(s);
    return spellBaht(s < 0, QString::number(magnitude / 100), int(magnitude % 100));
}

QString BahtText(double amount)
{
    if (!std::isfinite(amount))
        return {};

    const double magnitude = std::fabs(amount);
    QString wholeDigits;
    int satang = 0;
    if (magnitude < kFractionLimit) {
        // Rounding the whole amount in satang lets 99.5 satang or more carry into the baht.
        const auto total = static_cast<quint64>(roundHalfEven(static_cast<long double>(magnitude) * 100.0L));
        wholeDigits = QString::number(total / 100);
        satang = static_cast<int>(total % 100);
    } else {
        wholeDigits = QString::number(magnitude, 'f', 0);
    }

    return spellBaht(amount < 0, wholeDigits, satang);
}

QString StripCommas(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char(','));
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString TrimLeftSpaces(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString TrimRightSpaces(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString TrimSpaces(const QString& text)
{
    return TrimLeftSpaces(TrimRightSpaces(text));
}

QString CodeOfEntry(const QString& entry, int codeLength)
{
    return TrimSpaces(TrimLeftSpaces(entry).left(codeLength));
}

QString RightChars(const QString& text, int n)
{
    if (n <= 0)
        return {};
    return text.size() <= n ? text : text.right(n);
}
