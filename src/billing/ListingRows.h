#pragma once

#include "core/Money.h"

#include <QList>
#include <QString>

#include <optional>
#include <vector>

// The rows of a period listing as typed values: texts, whole numbers, money
// and dates stay what they are until a screen shows them or a sheet writes
// them. A listing of a busy month has a hundred thousand rows, so a cell is
// eight bytes (its kind and its value, or the place of its text in one list
// of texts) rather than a variant of its own.

enum class ValueKind : quint8 { Blank, Text, Integer, Money, Date };

// Line rows are the listing's records; the others are the rows it adds
// between them.
enum class RowKind : quint8 { Line, Heading, Subtotal, Total };

// A day as the office writes it, dd/mm/yyyy with the Buddhist-era year, held
// as the number yyyymmdd.
class ListingDate {
public:
    constexpr ListingDate() = default;
    // dd/mm/yyyy of digits; anything else is none.
    static std::optional<ListingDate> fromText(QStringView ddmmyyyy);
    static constexpr ListingDate fromNumber(int yyyymmdd) { return ListingDate(yyyymmdd); }

    constexpr int number() const { return yyyymmdd_; }
    constexpr int year() const { return yyyymmdd_ / 10000; }
    constexpr int month() const { return yyyymmdd_ / 100 % 100; }
    constexpr int day() const { return yyyymmdd_ % 100; }
    // dd/mm/yyyy into `out`, reusing its storage.
    void writeText(QString& out) const;
    QString text() const;

    auto operator<=>(const ListingDate&) const = default;

private:
    constexpr explicit ListingDate(int yyyymmdd) : yyyymmdd_(yyyymmdd) {}
    int yyyymmdd_ = 0;
};

class ListingRows {
public:
    explicit ListingRows(int columns = 0) : columns_(columns) {}

    int columns() const { return columns_; }
    int size() const { return int(kinds_.size()); }
    bool isEmpty() const { return kinds_.empty(); }
    void reserve(int rows);

    // Appends a row of blanks; the setters below fill the row last added.
    void addRow(RowKind kind = RowKind::Line);
    void setText(int column, const QString& text); // an empty text is a blank
    void setInteger(int column, qint64 value);
    void setMoney(int column, Money amount);
    // A stored date: dd/mm/yyyy becomes a date, the empty text a blank, and
    // any other text stays the text it is.
    void setDate(int column, const QString& ddmmyyyy);
    void setDate(int column, ListingDate date);

    RowKind rowKind(int row) const { return kinds_[size_t(row)]; }
    ValueKind kind(int row, int column) const { return ValueKind(cell(row, column) & kKindMask); }
    // Each for a cell of its kind.
    const QString& text(int row, int column) const { return texts_[qsizetype(payload(row, column))]; }
    qint64 integer(int row, int column) const { return payload(row, column); }
    Money money(int row, int column) const { return Money::fromSatang(payload(row, column)); }
    ListingDate date(int row, int column) const { return ListingDate::fromNumber(int(payload(row, column))); }

    // The value as the screen shows it: whole numbers in digits, money in
    // the "%n" format, dates dd/mm/yyyy, blanks empty.
    QString shownText(int row, int column) const;

private:
    static constexpr quint64 kKindMask = 0x7;
    static constexpr int kKindBits = 3;

    quint64 cell(int row, int column) const { return cells_[size_t(row) * size_t(columns_) + size_t(column)]; }
    qint64 payload(int row, int column) const { return qint64(cell(row, column)) >> kKindBits; }
    void set(int column, ValueKind kind, qint64 payload);

    int columns_ = 0;
    std::vector<RowKind> kinds_;
    std::vector<quint64> cells_; // row by row
    QList<QString> texts_;
};
