#include "util/Utility.h"

#include <QStringView>

#include <array>

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

QString spellBaht(bool negative, const QString& wholeDigits, int satang)
{
    QString text;
    if (negative)
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
