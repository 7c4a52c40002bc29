#include "xlsx/ReportSheet.h"

#include "core/ThaiDate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The listings share columns A to C (number, invoice number, date) and keep
// the amount in E; G and H get widths even where the grid is narrower.
ReportSheetOptions commonOptions(const QString& title, int lastColumn, const QList<double>& widthsDtoF)
{
    ReportSheetOptions o;
    o.title = title;
    o.lastColumn = lastColumn;
    o.numberFormatColumns = {4};
    o.rightAlignedColumns = {4};
    o.centredColumns = {0, 1, 2};
    const QList<double> widths = QList<double>{4, 14, 12} + widthsDtoF + QList<double>{10, 4.9};
    for (int c = 0; c < widths.size(); ++c)
        o.columnWidths.append({c, widths[c]});
    return o;
}

ReportSheetOptions withRange(ReportSheetOptions o, const QString& begin, const QString& end)
{
    o.rangeBegin = begin;
    o.rangeEnd = end;
    return o;
}

CellFormat thinBox(CellFormat f, bool top, bool bottom)
{
    f.left = BorderLine::Thin;
    f.right = BorderLine::Thin;
    if (top)
        f.top = BorderLine::Thin;
    if (bottom)
        f.bottom = BorderLine::Thin;
    return f;
}

// The width a spreadsheet gives a column it was told nothing about, in
// characters of the standard font.
constexpr double kDefaultColumnWidth = 8.43;

// Characters of the standard font that a text of the table's size fills.
double tableCharacters(double em)
{
    return em * kTableFontSize / (SheetFont::digitWidthEm() * kStandardFontSize);
}

// Ems of an amount as the amount format shows it: thousands separators, two
// decimals, and the room of the parentheses that a negative amount gets and
// a positive one keeps free.
double amountWidthEm(double value)
{
    qint64 whole = qRound64(std::abs(value) * 100) / 100;
    int digits = 1;
    for (; whole >= 10; whole /= 10)
        ++digits;
    return (digits + 2) * SheetFont::digitWidthEm() + (digits - 1) / 3 * SheetFont::advance(U',') / 1000.0 +
           (SheetFont::advance(U'.') + SheetFont::advance(U'(') + SheetFont::advance(U')')) / 1000.0;
}

// The widest text of each column of the table, in ems of the table's font,
// as the cells show it.
class ColumnFit {
public:
    ColumnFit(int columns, const ReportSheetOptions& options)
        : m_widest(columns, 0.0), m_amount(columns, false), m_text(columns, false)
    {
        for (int c = 0; c < columns; ++c) {
            m_amount[c] = options.numberFormatColumns.contains(c);
            m_text[c] = options.textColumns.contains(c);
        }
    }

    void addRow(const QStringList& values)
    {
        const int n = int(std::min<qsizetype>(values.size(), m_widest.size()));
        for (int c = 0; c < n; ++c) {
            const QString& typed = values[c];
            if (typed.isEmpty())
                continue;
            m_widest[c] = std::max(m_widest[c], shownEm(c, typed));
        }
    }

    int columns() const { return int(m_widest.size()); }
    double widestEm(int column) const { return m_widest[column]; }

private:
    double shownEm(int c, const QString& typed) const
    {
        if (m_text[c])
            return SheetFont::widthEm(ClassifyKeptTextView(typed).text);
        const CellValueView v = ClassifyTypedTextView(typed);
        switch (v.type) {
        case CellValue::Type::Blank:
            return 0;
        case CellValue::Type::Text:
            return SheetFont::widthEm(v.text);
        case CellValue::Type::Number:
            if (m_amount[c])
                return amountWidthEm(v.number);
            // "General" shows the number about as typed, less its thousands
            // separators, or with a leading zero added (".5"): one digit more
            // is room for either.
            return SheetFont::widthEm(QStringView(typed).trimmed()) + SheetFont::digitWidthEm();
        }
        return 0;
    }

    std::vector<double> m_widest;
    std::vector<bool> m_amount;
    std::vector<bool> m_text;
};

// Up to the next hundredth of a character: a file of short numbers.
double roundedUp(double characters)
{
    return std::ceil(characters * 100) / 100;
}

// The columns' widths: the listing's own as the least, each widened to its
// widest text; the table as a whole at least as wide as the title and the
// range line above it, which are spread across it.
QList<ColumnWidth> fittedWidths(const ColumnFit& fit, const ReportSheetOptions& options, int last)
{
    const int columns = std::max(fit.columns(), int(options.columnWidths.size()));
    std::vector<double> width(columns, 0); // 0: none of its own
    for (const ColumnWidth& w : options.columnWidths)
        if (w.column >= 0 && w.column < columns)
            width[w.column] = w.width;
    for (int c = 0; c < fit.columns(); ++c) {
        if (fit.widestEm(c) <= 0)
            continue;
        const double need = tableCharacters(fit.widestEm(c)) * kColumnWidthShare + kColumnWidthMargin;
        const double least = width[c] > 0 ? width[c] : kDefaultColumnWidth;
        if (need > least)
            width[c] = roundedUp(need);
    }

    auto standardCharacters = [](const QString& text, double size) {
        return SheetFont::columnCharacters(text, size, kStandardFontSize) * kColumnWidthShare + kColumnWidthMargin;
    };
    const double above = std::max(standardCharacters(options.title, kTitleFontSize),
                                  standardCharacters(ReportRangeLine(options.rangeBegin, options.rangeEnd),
                                                     kStandardFontSize));
    double table = 0;
    for (int c = 0; c <= last && c < columns; ++c)
        table += width[c] > 0 ? width[c] : kDefaultColumnWidth;
    if (table < above) {
        const double more = roundedUp((above - table) / (last + 1));
        for (int c = 0; c <= last && c < columns; ++c)
            width[c] = (width[c] > 0 ? width[c] : kDefaultColumnWidth) + more;
    }

    QList<ColumnWidth> widths;
    for (int c = 0; c < columns; ++c)
        if (width[c] > 0)
            widths.append({c, width[c]});
    return widths;
}

// Whether the printed table is wider than it is long, in points: a column
// of w characters is w digits of the standard font and a few points of room.
bool widerThanLong(const QList<ColumnWidth>& widths, int last, int dataRows)
{
    constexpr double kColumnRoom = 3.75; // points: five pixels
    const double digitPoints = SheetFont::digitWidthEm() * kStandardFontSize;
    double width = 0;
    for (int c = 0; c <= last; ++c) {
        double w = kDefaultColumnWidth;
        for (const ColumnWidth& cw : widths)
            if (cw.column == c)
                w = cw.width;
        width += w * digitPoints + kColumnRoom;
    }
    const double length = kTitleRowHeight + kSpacerRowHeight + (2 + dataRows) * kReportRowHeight;
    return width > length;
}

} // namespace

ReportSheetOptions InvoiceListingSheetOptions()
{
    return commonOptions(QStringLiteral("รายงานใบแจ้งการชำระเงิน"), 5, {20, 10, 12});
}

ReportSheetOptions PayInListingSheetOptions()
{
    ReportSheetOptions o =
        commonOptions(QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"), 5, {24, 15, 15});
    o.centredColumns.append(5); // the pay-in date
    o.textColumns = {2, 5};     // the invoice's date and the pay-in date
    return o;
}

ReportSheetOptions CostDetailSheetOptions()
{
    ReportSheetOptions o = commonOptions(
        QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด"), 8, {20, 15.7, 19});
    o.textColumns = {2, 6, 8}; // the invoice's, the pay-in and the remittance dates
    return o;
}

ReportSheetOptions InvoiceListingSheetOptions(const QString& rangeBegin, const QString& rangeEnd)
{
    return withRange(InvoiceListingSheetOptions(), rangeBegin, rangeEnd);
}

ReportSheetOptions PayInListingSheetOptions(const QString& rangeBegin, const QString& rangeEnd)
{
    return withRange(PayInListingSheetOptions(), rangeBegin, rangeEnd);
}

ReportSheetOptions CostDetailSheetOptions(const QString& rangeBegin, const QString& rangeEnd)
{
    return withRange(CostDetailSheetOptions(), rangeBegin, rangeEnd);
}

QString ReportRangeLine(const QString& rangeBegin, const QString& rangeEnd)
{
    return QStringLiteral("ตั้งแต่วันที่ :") + rangeBegin + QStringLiteral("   ถึงวันที่  :") + rangeEnd;
}

QString ReportFooterStamp(const QDateTime& local)
{
    return CurrentDateText(local) + u' ' + local.time().toString(QStringLiteral("HH:mm"));
}

SheetDescription BuildReportSheet(const ReportGrid& grid, const ReportSheetOptions& options)
{
    SheetDescription sheet;
    sheet.name = kReportSheetName;
    sheet.fontName = SheetFont::kName;
    sheet.fontSize = kStandardFontSize;
    const int last = std::max(0, options.lastColumn);

    qsizetype gridColumns = grid.headers.size();
    for (const QStringList& r : grid.rows)
        gridColumns = std::max(gridColumns, r.size());
    // Columns that get a format in some row: the table, and grid columns past it.
    const int styledColumns = std::max<int>(last + 1, int(gridColumns));

    // Row 1: the title, centred across the table's width.
    {
        CellFormat across;
        across.align = HAlign::CentreAcrossSelection;
        CellFormat title = across;
        title.fontColour = kTitleColour;
        title.fontSize = kTitleFontSize;
        RowStyle style;
        style.height = kTitleRowHeight;
        style.cellFormats.append(sheet.addFormat(title));
        const int acrossIndex = sheet.addFormat(across);
        for (int c = 1; c <= last; ++c)
            style.cellFormats.append(acrossIndex);
        sheet.rows.append({0, {options.title}, sheet.addRowStyle(style)});
    }

    // Row 2: the range in the default font.
    sheet.rows.append({1, {ReportRangeLine(options.rangeBegin, options.rangeEnd)}, -1});

    // Row 3: empty, its first cell formatted like the title.
    {
        CellFormat spacer;
        spacer.fontColour = kTitleColour;
        spacer.fontSize = kSpacerFontSize;
        RowStyle style;
        style.height = kSpacerRowHeight;
        style.cellFormats.append(sheet.addFormat(spacer));
        sheet.rows.append({2, {}, sheet.addRowStyle(style)});
    }

    CellFormat size12;
    size12.fontSize = kTableFontSize;
    const int size12Index = sheet.addFormat(size12);

    // Row 4: the header, boxed in thin lines.
    {
        CellFormat header = thinBox(size12, true, true);
        header.fontColour = kTitleColour;
        header.fill = kHeaderFill;
        header.align = HAlign::Centre;
        RowStyle style;
        style.rowFormat = size12Index;
        const int headerIndex = sheet.addFormat(header);
        for (int c = 0; c < styledColumns; ++c)
            style.cellFormats.append(c <= last ? headerIndex : size12Index);
        sheet.rows.append({3, grid.headers, sheet.addRowStyle(style)});
    }

    // Column formats reach one row below the data block.
    auto applyColumnFormats = [&](CellFormat f, int column) {
        if (options.numberFormatColumns.contains(column))
            f.numberFormat = kAmountFormat;
        if (options.rightAlignedColumns.contains(column))
            f.align = HAlign::Right;
        if (options.centredColumns.contains(column))
            f.align = HAlign::Centre;
        return f;
    };

    // Rows 5 on: the data, white cells with vertical lines and a frame, no
    // lines between rows. Only the first and the last row differ. The size
    // 12 is carried by the table's cells alone: a row format as well would
    // lengthen every row of the file for cells right of the table, which
    // hold nothing.
    auto dataStyle = [&](bool first, bool lastRow) {
        RowStyle style;
        for (int c = 0; c < styledColumns; ++c) {
            CellFormat f = size12;
            if (c < gridColumns)
                f.fill = kDataFill;
            if (c <= last)
                f = thinBox(f, first, lastRow);
            style.cellFormats.append(sheet.addFormat(applyColumnFormats(f, c)));
        }
        style.textColumns = options.textColumns;
        return sheet.addRowStyle(style);
    };

    const QList<QStringList> oneEmptyRow{QStringList()};
    const QList<QStringList>& dataRows = grid.rows.isEmpty() ? oneEmptyRow : grid.rows;
    const int n = int(dataRows.size());
    const int middle = dataStyle(false, false);
    const int firstStyle = dataStyle(true, n == 1);
    const int lastStyle = dataStyle(n == 1, true);
    ColumnFit fit(styledColumns, options);
    fit.addRow(grid.headers);
    sheet.rows.reserve(sheet.rows.size() + n + 1);
    for (int r = 0; r < n; ++r) {
        const int style = r == 0 ? firstStyle : r == n - 1 ? lastStyle : middle;
        sheet.rows.append({kReportFirstDataRow + r, dataRows[r], style});
        fit.addRow(dataRows[r]);
    }

    // The row under the table keeps only the column formats.
    {
        RowStyle style;
        for (int c = 0; c < styledColumns; ++c) {
            const CellFormat f = applyColumnFormats(CellFormat(), c);
            style.cellFormats.append(f.isDefault() ? -1 : sheet.addFormat(f));
        }
        sheet.rows.append({kReportFirstDataRow + n, {}, sheet.addRowStyle(style)});
    }

    sheet.columnWidths = fittedWidths(fit, options, last);
    // The rows' heights are written, not left to the reader: a reader that
    // keeps its standard height for a row would cut the tops of the Thai
    // marks off the larger fonts.
    sheet.defaultRowHeight = kReportRowHeight;

    PageSetup& page = sheet.page;
    page.leftHeader = QStringLiteral("Page &P From &N");
    page.rightHeader = QStringLiteral("(Emp001)");
    page.leftFooter = options.creditLine.isEmpty() ? kReportCreditLine : options.creditLine;
    // The reader's own date code would print the Christian-era date in the
    // reader's format; the export's time is written as the office reads it.
    page.rightFooter =
        ReportFooterStamp(options.exportedAt.isValid() ? options.exportedAt.toLocalTime() : QDateTime::currentDateTime());
    // Laid out in points; the file keeps inches.
    page.leftMargin = PointsToInches(20);
    page.rightMargin = PointsToInches(20);
    page.topMargin = PointsToInches(70);
    page.bottomMargin = PointsToInches(45);
    page.headerMargin = PointsToInches(20);
    page.footerMargin = PointsToInches(20);
    // One page wide, as many long as the rows need; a table wider than it
    // is long lies across the page.
    page.fitToWidth = true;
    page.orientation = widerThanLong(sheet.columnWidths, last, n) ? Orientation::Landscape : Orientation::Portrait;
    page.paperSize = 9;
    page.downThenOver = true;
    page.firstPageNumber.reset();
    page.repeatFirstRow = 0;
    page.repeatLastRow = 3;
    return sheet;
}
