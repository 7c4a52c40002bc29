#include "xlsx/ReportSheet.h"

#include <algorithm>

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
    return o;
}

ReportSheetOptions CostDetailSheetOptions()
{
    return commonOptions(QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด"), 8,
                         {20, 15.7, 19});
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

SheetDescription BuildReportSheet(const ReportGrid& grid, const ReportSheetOptions& options)
{
    SheetDescription sheet;
    sheet.name = kReportSheetName;
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
        title.fontSize = 16;
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
        spacer.fontSize = 14;
        RowStyle style;
        style.height = kSpacerRowHeight;
        style.cellFormats.append(sheet.addFormat(spacer));
        sheet.rows.append({2, {}, sheet.addRowStyle(style)});
    }

    CellFormat size12;
    size12.fontSize = 12;
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
        return sheet.addRowStyle(style);
    };

    const QList<QStringList> oneEmptyRow{QStringList()};
    const QList<QStringList>& dataRows = grid.rows.isEmpty() ? oneEmptyRow : grid.rows;
    const int n = int(dataRows.size());
    const int middle = dataStyle(false, false);
    const int firstStyle = dataStyle(true, n == 1);
    const int lastStyle = dataStyle(n == 1, true);
    sheet.rows.reserve(sheet.rows.size() + n + 1);
    for (int r = 0; r < n; ++r) {
        const int style = r == 0 ? firstStyle : r == n - 1 ? lastStyle : middle;
        sheet.rows.append({kReportFirstDataRow + r, dataRows[r], style});
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

    sheet.columnWidths = options.columnWidths;
    // The rows' heights are written, not left to the reader: a reader that
    // keeps its standard height for a row would cut the tops of the Thai
    // marks off the larger fonts.
    sheet.defaultRowHeight = kReportRowHeight;

    PageSetup& page = sheet.page;
    page.leftHeader = QStringLiteral("Page &P From &N");
    page.rightHeader = QStringLiteral("(Emp001)");
    page.leftFooter = options.creditLine.isEmpty() ? kReportCreditLine : options.creditLine;
    page.rightFooter = QStringLiteral("&D &T");
    // Laid out in points; the file keeps inches.
    page.leftMargin = PointsToInches(20);
    page.rightMargin = PointsToInches(20);
    page.topMargin = PointsToInches(70);
    page.bottomMargin = PointsToInches(45);
    page.headerMargin = PointsToInches(20);
    page.footerMargin = PointsToInches(20);
    page.orientation = Orientation::Portrait;
    page.paperSize = 9;
    page.downThenOver = true;
    page.firstPageNumber.reset();
    page.repeatFirstRow = 0;
    page.repeatLastRow = 3;
    return sheet;
}
