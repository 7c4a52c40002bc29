#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

// A worksheet as plain data: what goes into which cell, how each cell looks,
// and how the sheet prints. Building it knows nothing of files; writing it
// (SheetWriter) knows nothing of reports.

// ---------------------------------------------------------------- values ---

// What a typed text becomes in a cell, the way a spreadsheet takes typed
// input:
// - blank: the empty text, and a lone apostrophe;
// - a number: optional blanks around, an optional '-' or '+', digits with
//   optional ',' thousands separators in groups of three, an optional '.'
//   and decimals ("1,234.50", "-100", ".5", "00123"); an accountant's
//   "(1,234.50)" is the negative number;
// - text after the apostrophe when the text starts with one ("'00123");
// - any other text as it stands, blanks included. Dates ("01/12/2569"),
//   times, percentages and exponents stay text: a Buddhist-era date read as
//   a date would be stored as a wrong Christian-era day.
struct CellValue {
    enum class Type { Blank, Number, Text };
    Type type = Type::Blank;
    double number = 0;
    QString text;

    bool operator==(const CellValue&) const = default;
};

CellValue ClassifyTypedText(const QString& typed);

// The same without copying: the text, when there is one, is a view into
// `typed`. For writers that handle every cell of a long listing.
struct CellValueView {
    CellValue::Type type = CellValue::Type::Blank;
    double number = 0;
    QStringView text;
};
CellValueView ClassifyTypedTextView(QStringView typed);

// The same for a cell kept as text whatever it reads like: blank for the
// empty text and a lone apostrophe, the text after a leading apostrophe, any
// other text as it stands.
CellValueView ClassifyKeptTextView(QStringView typed);

// ---------------------------------------------------------------- formats ---

// Colours as 0xRRGGBB.
constexpr quint32 Rgb(int r, int g, int b)
{
    return (quint32(r) << 16) | (quint32(g) << 8) | quint32(b);
}

enum class HAlign { General, Left, Centre, Right, CentreAcrossSelection };

enum class BorderLine { None, Hair, Thin, Medium, Thick, Dashed, Dotted, Double };

// Everything a cell's appearance depends on. Unset members keep the
// workbook's defaults (the standard font and size, no fill, "General").
struct CellFormat {
    double fontSize = 0; // points; 0 = the standard size
    bool bold = false;
    std::optional<quint32> fontColour;
    std::optional<quint32> fill; // solid fill
    HAlign align = HAlign::General;
    BorderLine left = BorderLine::None;
    BorderLine right = BorderLine::None;
    BorderLine top = BorderLine::None;
    BorderLine bottom = BorderLine::None;
    QString numberFormat; // empty = General

    bool isDefault() const { return *this == CellFormat(); }
    bool operator==(const CellFormat&) const = default;
};

// ------------------------------------------------------------------ rows ---

// How the cells of a row look. Many rows share one style, so a long listing
// costs one style, not one format per cell.
struct RowStyle {
    double height = 0;      // points; 0 leaves the height to the reader (fits the fonts)
    int rowFormat = -1;     // format of the row's empty columns; -1 none
    QList<int> cellFormats; // per column from A: format index, -1 none
    // Columns whose values stay text, even where they read like a number
    // (ClassifyKeptTextView instead of ClassifyTypedTextView).
    QList<int> textColumns;

    int formatOf(int column) const
    {
        const int own = column < cellFormats.size() ? cellFormats[column] : -1;
        return own >= 0 ? own : rowFormat;
    }
    bool keepsText(int column) const { return !textColumns.isEmpty() && textColumns.contains(column); }
    bool operator==(const RowStyle&) const = default;
};

// One sheet row. The values are the texts as typed, column A first. A
// column is written when it has a value or a format.
struct SheetRow {
    int index = 0; // 0-based sheet row
    QStringList values;
    int style = -1; // index into SheetDescription::rowStyles; -1 plain
};

// Rows whose values their owner keeps, typed, and hands out as they are
// written: a listing's rows are not copied into the description, however
// many they are.
class SheetRowSource {
public:
    virtual ~SheetRowSource() = default;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // The value of a cell. A text is a view of the owner's text or of
    // `scratch`, which the caller keeps until it has used the value.
    virtual CellValueView value(int row, int column, QString& scratch) const = 0;
};

// A run of sheet rows read from a source.
struct SheetBlock {
    int firstRow = 0; // 0-based sheet row of the source's first row
    std::shared_ptr<const SheetRowSource> source; // none: no block
    std::function<int(int row)> style;            // index into rowStyles per row of the source; -1 plain

    int rowCount() const { return source ? source->rowCount() : 0; }
    bool holds(int sheetRow) const { return sheetRow >= firstRow && sheetRow < firstRow + rowCount(); }
};

struct ColumnWidth {
    int column = 0;   // 0-based
    double width = 0; // characters of the standard font, as a spreadsheet's ColumnWidth
};

// ------------------------------------------------------------ page set-up ---

enum class Orientation { Portrait, Landscape };

struct PageSetup {
    // Header and footer sections use the spreadsheet's codes: &P page,
    // &N pages, &D date, &T time.
    QString leftHeader, centreHeader, rightHeader;
    QString leftFooter, centreFooter, rightFooter;
    // Margins in inches, as the file keeps them.
    double leftMargin = 0.7, rightMargin = 0.7, topMargin = 0.75, bottomMargin = 0.75;
    double headerMargin = 0.3, footerMargin = 0.3;
    Orientation orientation = Orientation::Portrait;
    int paperSize = 9;                   // the spreadsheet's paper codes: 9 = A4
    bool downThenOver = true;            // page order
    std::optional<int> firstPageNumber;  // empty = automatic
    // Scaled to one page's width, as many pages long as the rows need.
    bool fitToWidth = false;
    int repeatFirstRow = -1;             // rows repeated on every printed page,
    int repeatLastRow = -1;              // 0-based; -1 = none

    // The header and footer strings as the file holds them ("&L…&C…&R…").
    QString headerString() const;
    QString footerString() const;
};

constexpr double PointsToInches(double points) { return points / 72.0; }

// --------------------------------------------------------------- the sheet ---

struct SheetDescription {
    QString name;
    // What the sheet is, as its first row says it ("รายงานใบแจ้งหนี้ค้างชำระ"):
    // an export's file is named by it.
    QString title;
    // The workbook's standard font: every cell's font, and the unit of the
    // column widths. An empty name keeps the writer's own (Calibri 11).
    QString fontName;
    double fontSize = 11;
    QList<CellFormat> formats;
    QList<RowStyle> rowStyles;
    QList<SheetRow> rows; // ascending by index, each index once
    SheetBlock block;     // rows between those of `rows`, none of their indices
    QList<ColumnWidth> columnWidths;
    // Height of every row without one of its own, in points; 0 leaves it to
    // the reader. Kept once for the sheet, so a long listing's rows carry no
    // height each.
    double defaultRowHeight = 0;
    PageSetup page;

    // Index of an equal format, added when new.
    int addFormat(const CellFormat& format);
    int addRowStyle(const RowStyle& style);

    // The rows written in all, the block's included.
    qint64 rowCount() const { return rows.size() + block.rowCount(); }

    // Looking a cell up, for checks and previews: the row, or nullptr (also
    // for a row of the block).
    const SheetRow* row(int index) const;
    // The value the cell gets and its format index (-1 none).
    CellValue value(int row, int column) const;
    int formatIndex(int row, int column) const;
    // The format, or a default one when the cell has none.
    CellFormat format(int row, int column) const;
};
