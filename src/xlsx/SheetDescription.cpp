#include "xlsx/SheetDescription.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits with optional thousands separators, an optional point and
// decimals, at least one digit; the plain ASCII form goes to `plain`, which
// holds `capacity` characters and the terminating NUL.
bool parseUnsignedNumber(QStringView s, char* plain, qsizetype capacity)
{
    if (s.size() >= capacity)
        return false; // longer than any number worth reading
    qsizetype out = 0;
    qsizetype i = 0;
    int groupDigits = 0;  // digits since the last separator (or the start)
    bool grouped = false; // a separator was seen
    int digits = 0;
    for (; i < s.size() && s[i] != QLatin1Char('.'); ++i) {
        const QChar c = s[i];
        if (isDigit(c)) {
            plain[out++] = char(c.unicode());
            ++groupDigits;
            ++digits;
        } else if (c == QLatin1Char(',')) {
            // The first group has one to three digits, every later one three.
            if (groupDigits == 0 || groupDigits > 3 || (grouped && groupDigits != 3))
                return false;
            grouped = true;
            groupDigits = 0;
        } else {
            return false;
        }
    }
    if (grouped && groupDigits != 3)
        return false;
    if (i < s.size()) { // the point
        plain[out++] = '.';
        for (++i; i < s.size(); ++i) {
            if (!isDigit(s[i]))
                return false;
            plain[out++] = char(s[i].unicode());
            ++digits;
        }
    }
    plain[out] = '\0';
    return digits > 0;
}

std::optional<double> parseTypedNumber(QStringView s)
{
    bool negative = false;
    if (s.size() >= 2 && s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
        negative = true;
        s = s.mid(1, s.size() - 2);
    } else if (!s.isEmpty() && (s.front() == QLatin1Char('-') || s.front() == QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s = s.mid(1);
    }
    // Most texts fail on their first character; nothing is copied for them.
    if (s.isEmpty() || !(isDigit(s.front()) || s.front() == QLatin1Char('.')))
        return std::nullopt;
    char plain[64];
    if (!parseUnsignedNumber(s, plain, sizeof plain))
        return std::nullopt;
    // from_chars, unlike strtod, ignores the process locale's decimal point.
    const char* end = plain + std::strlen(plain);
    double value = 0;
    const std::from_chars_result r = std::from_chars(plain, end, value);
    if (r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    if (value == 0)
        return 0.0; // no negative zero
    return negative ? -value : value;
}

QString sections(const QString& left, const QString& centre, const QString& right)
{
    QString s;
    if (!left.isEmpty())
        s += QStringLiteral("&L") + left;
    if (!centre.isEmpty())
        s += QStringLiteral("&C") + centre;
    if (!right.isEmpty())
        s += QStringLiteral("&R") + right;
    return s;
}

} // namespace

CellValueView ClassifyTypedTextView(QStringView typed)
{
    CellValueView v;
    if (typed.isEmpty())
        return v;
    if (typed.front() == QLatin1Char('\'')) {
        if (typed.size() > 1) {
            v.type = CellValue::Type::Text;
            v.text = typed.mid(1);
        }
        return v;
    }
    if (const std::optional<double> n = parseTypedNumber(typed.trimmed())) {
        v.type = CellValue::Type::Number;
        v.number = *n;
        return v;
    }
    v.type = CellValue::Type::Text;
    v.text = typed;
    return v;
}

CellValueView ClassifyKeptTextView(QStringView typed)
{
    CellValueView v;
    if (!typed.isEmpty() && typed.front() == QLatin1Char('\''))
        typed = typed.mid(1);
    if (!typed.isEmpty()) {
        v.type = CellValue::Type::Text;
        v.text = typed;
    }
    return v;
}

CellValue ClassifyTypedText(const QString& typed)
{
    const CellValueView view = ClassifyTypedTextView(typed);
    CellValue v;
    v.type = view.type;
    v.number = view.number;
    if (view.type == CellValue::Type::Text)
        v.text = view.text.size() == typed.size() ? typed : view.text.toString();
    return v;
}

QString PageSetup::headerString() const
{
    return sections(leftHeader, centreHeader, rightHeader);
}

QString PageSetup::footerString() const
{
    return sections(leftFooter, centreFooter, rightFooter);
}

int SheetDescription::addFormat(const CellFormat& format)
{
    const qsizetype i = formats.indexOf(format);
    if (i >= 0)
        return int(i);
    formats.append(format);
    return int(formats.size() - 1);
}

int SheetDescription::addRowStyle(const RowStyle& style)
{
    const qsizetype i = rowStyles.indexOf(style);
    if (i >= 0)
        return int(i);
    rowStyles.append(style);
    return int(rowStyles.size() - 1);
}

const SheetRow* SheetDescription::row(int index) const
{
    const auto it = std::lower_bound(rows.begin(), rows.end(), index,
                                     [](const SheetRow& r, int i) { return r.index < i; });
    return it != rows.end() && it->index == index ? &*it : nullptr;
}

CellValue SheetDescription::value(int rowIndex, int column) const
{
    if (block.holds(rowIndex)) {
        if (column < 0 || column >= block.source->columnCount())
            return {};
        QString scratch;
        const CellValueView v = block.source->value(rowIndex - block.firstRow, column, scratch);
        return {v.type, v.number, v.text.toString()};
    }
    const SheetRow* r = row(rowIndex);
    if (!r || column < 0 || column >= r->values.size())
        return {};
    if (r->style < 0 || !rowStyles[r->style].keepsText(column))
        return ClassifyTypedText(r->values[column]);
    const CellValueView kept = ClassifyKeptTextView(r->values[column]);
    return {kept.type, 0, kept.text.toString()};
}

int SheetDescription::formatIndex(int rowIndex, int column) const
{
    const SheetRow* r = row(rowIndex);
    const int style = block.holds(rowIndex) ? block.style(rowIndex - block.firstRow) : r ? r->style : -1;
    if (style < 0)
        return -1;
    return rowStyles[style].formatOf(column);
}

CellFormat SheetDescription::format(int rowIndex, int column) const
{
    const int i = formatIndex(rowIndex, column);
    return i >= 0 ? formats[i] : CellFormat();
}
