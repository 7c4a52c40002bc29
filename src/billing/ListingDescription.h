#pragma once

#include "billing/ListingRows.h"
#include "print/Page.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Database;
struct DocumentTexts;

// A period listing described once: what the report window shows and asks
// for, what its spreadsheet export writes and what `costdesk-admin export`
// takes, all read from here. A new listing is one description and one
// statement.

// What the old grid gave a column it was told no width for, in pixels of the
// old 8-point screen.
constexpr int kGridDefaultWidth = 64;

// Where a column's values stand. Default is the sheet's own way (texts at
// the left, numbers at the right); the screen's grid stands a Right column at
// the right and every other at the left.
enum class ColumnAlign : quint8 { Default, Centre, Right };

struct ListingColumn {
    QString caption; // the header, on screen and in the sheet
    // The kind of its line rows' values: a money column gets the amount
    // format in the sheet and room for the largest amount on screen. The
    // rows a listing adds (headings, totals) may hold other kinds, a label.
    ValueKind kind = ValueKind::Text;
    int screenWidth = kGridDefaultWidth; // pixels of the old 8-point screen
    // The least width in the sheet, in characters of its standard font;
    // none: the spreadsheet's default width.
    std::optional<double> sheetWidth;
    ColumnAlign align = ColumnAlign::Default;
};

// One value the listing is asked for before it lists.
struct ListingField {
    enum class Kind {
        Date,     // a day, dd/mm/yyyy; always given
        Code,     // a text such as a shop code; may be left empty
        CostType, // all cost types, or one chosen from their list
        Choice,   // one of a few items
    };
    enum class Start { FirstOfMonth, LastOfMonth, Today }; // a date's value on opening

    Kind kind = Kind::Date;
    // The value's name, and its option on the command line: --key.
    QString key;
    // On screen: the label before a date or a code; the caption of the group
    // of a cost type or a choice (none when empty).
    QString label;
    // Before the value in the sheet's second row; empty: not in that row.
    QString sheetLabel;
    // The names of its controls on screen: a date's or a code's edit; a cost
    // type's "all" and "one" radio buttons and its combo box; a choice's
    // group, whose items are named after it with "Item" and their index.
    QStringList controls;
    // Cost type: the captions of the two radio buttons; choice: the items'.
    QStringList items;
    // Choice: the items as the command line names them; the first is the
    // value when none is given.
    QStringList words;
    Start start = Start::FirstOfMonth;
    int maxLength = 0;    // code: the most characters; 0 no limit
    QString placeholder;  // code, cost type: the value in the command's usage
};

// The fields' values: dates dd/mm/yyyy, a code or a cost code as given, a
// choice's word. A code left empty and "all cost types" have no value.
class ListingValues {
public:
    void set(const QString& key, const QString& value) { values_.insert(key, value); }
    bool has(const QString& key) const { return values_.contains(key); }
    QString value(const QString& key) const { return values_.value(key); }

private:
    QHash<QString, QString> values_;
};

// A button of the listing's window besides the export: printed pages made
// for the fields' values with the organisation's texts the window was given
// (the letters to the shops an overdue listing shows), previewed through the
// window's page seam.
struct ListingAction {
    QString objectName;
    QString caption;
    QString title;        // the preview's title
    QString nothingShown; // said instead when there are no pages
    std::function<QList<Page>(Database&, const ListingValues&, const DocumentTexts&)> pages;
};

struct ListingDescription {
    QString name;    // the listing on the command line: --report name
    QString caption; // the window's title, and the start of its exports' names
    QString heading; // the window's heading
    QList<ListingField> fields;
    QList<ListingColumn> columns;

    // The listing's own part of its sheet; the frame (fonts, colours, margins,
    // header and footer, one page wide) is the same for every listing.
    struct Sheet {
        QString title;            // row 1
        QList<double> widthsPast; // least widths of the columns right of the table
        bool boldTotals = false;  // subtotal and total rows in bold
    } sheet;

    // The rows for the fields' values, total rows included; none when nothing
    // matches.
    std::function<ListingRows(Database&, const ListingValues&)> rows;

    // The window's extra button; none for most listings.
    std::optional<ListingAction> action;

    const ListingField* field(const QString& key) const;
    // The sheet's second row: the sheet label and the value of each field
    // that has both, in the fields' order.
    QString rangeLine(const ListingValues& values) const;
};
