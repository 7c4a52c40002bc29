#include "billing/ListingRows.h"

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitsAt(QStringView s, qsizetype from, qsizetype count)
{
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i)
        n = n * 10 + (s[i].unicode() - u'0');
    return n;
}

} // namespace

std::optional<ListingDate> ListingDate::fromText(QStringView s)
{
    if (s.size() != 10 || s[2] != u'/' || s[5] != u'/')
        return std::nullopt;
    for (qsizetype i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!isDigit(s[i]))
            return std::nullopt;
    return ListingDate(digitsAt(s, 6, 4) * 10000 + digitsAt(s, 3, 2) * 100 + digitsAt(s, 0, 2));
}

void ListingDate::writeText(QString& out) const
{
    out.resize(10);
    QChar* c = out.data();
    const auto two = [](QChar* at, int n) {
        at[0] = QChar(u'0' + n / 10 % 10);
        at[1] = QChar(u'0' + n % 10);
    };
    two(c, day());
    c[2] = u'/';
    two(c + 3, month());
    c[5] = u'/';
    two(c + 6, year() / 100);
    two(c + 8, year() % 100);
}

QString ListingDate::text() const
{
    QString s;
    writeText(s);
    return s;
}

void ListingRows::reserve(int rows)
{
    kinds_.reserve(size_t(rows));
    cells_.reserve(size_t(rows) * size_t(columns_));
}

void ListingRows::addRow(RowKind kind)
{
    kinds_.push_back(kind);
    cells_.resize(cells_.size() + size_t(columns_), quint64(ValueKind::Blank));
}

void ListingRows::set(int column, ValueKind kind, qint64 payload)
{
    Q_ASSERT(!kinds_.empty() && column >= 0 && column < columns_);
    cells_[(kinds_.size() - 1) * size_t(columns_) + size_t(column)] =
        (quint64(payload) << kKindBits) | quint64(kind);
}

void ListingRows::setText(int column, const QString& text)
{
    if (text.isEmpty()) {
        set(column, ValueKind::Blank, 0);
        return;
    }
    texts_.append(text);
    set(column, ValueKind::Text, texts_.size() - 1);
}

void ListingRows::setInteger(int column, qint64 value)
{
    set(column, ValueKind::Integer, value);
}

void ListingRows::setMoney(int column, Money amount)
{
    set(column, ValueKind::Money, amount.satang());
}

void ListingRows::setDate(int column, ListingDate date)
{
    set(column, ValueKind::Date, date.number());
}

void ListingRows::setDate(int column, const QString& ddmmyyyy)
{
    if (const std::optional<ListingDate> date = ListingDate::fromText(ddmmyyyy))
        setDate(column, *date);
    else
        setText(column, ddmmyyyy);
}

QString ListingRows::shownText(int row, int column) const
{
    switch (kind(row, column)) {
    case ValueKind::Blank:
        return {};
    case ValueKind::Text:
        return text(row, column);
    case ValueKind::Integer:
        return QString::number(integer(row, column));
    case ValueKind::Money:
        return FormatAmount(money(row, column));
    case ValueKind::Date:
        return date(row, column).text();
    }
    return {};
}
