#pragma once

#include "xlsx/SheetDescription.h"
#include "xlsx/SheetFont.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The printable sheet of a listing report: title, date range, coloured
// header row, the grid's rows with borders and number formats, A4 set-up,
// printed one page wide. Every column is at least as wide as the widest text
// it shows, in the workbook's font (SheetFont).

// The listing as the on-screen string grid holds it: the header row's texts
// and the rows below it, each a list of cell texts from column 0. A grid that
// shows nothing still has one empty row under its header, so an empty `rows`
// is exported as that one empty row.
struct ReportGrid {
    QStringList headers;
    QList<QStringList> rows;
};

// What differs between the reports, and the range texts of the moment.
struct ReportSheetOptions {
    QString title;      // row 1
    QString rangeBegin; // the two date fields' texts when the export starts
    QString rangeEnd;
    int lastColumn = 5; // 0-based: the table runs from A to this column (5 = F)
    QList<int> numberFormatColumns; // 0-based columns with the amount format
    QList<int> rightAlignedColumns;
    QList<int> centredColumns;
    QList<int> textColumns; // kept as text whatever they read like: the dates
    // The least width of each column; a column whose texts need more is
    // widened to fit them.
    QList<ColumnWidth> columnWidths;
    QString creditLine; // left footer; empty = kReportCreditLine
    QDateTime exportedAt; // local time, printed in the footer; invalid = now
};

// Per report: fill in rangeBegin and rangeEnd and build.
ReportSheetOptions InvoiceListingSheetOptions(); // invoices by due date
ReportSheetOptions PayInListingSheetOptions();   // payments into the bank
ReportSheetOptions CostDetailSheetOptions();      // invoice lines by cost type

ReportSheetOptions InvoiceListingSheetOptions(const QString& rangeBegin, const QString& rangeEnd);
ReportSheetOptions PayInListingSheetOptions(const QString& rangeBegin, const QString& rangeEnd);
ReportSheetOptions CostDetailSheetOptions(const QString& rangeBegin, const QString& rangeEnd);

SheetDescription BuildReportSheet(const ReportGrid& grid, const ReportSheetOptions& options);

// Texts and values of the sheet, shared with the checks.
inline const QString kReportSheetName = QStringLiteral("สรุปร้านค้า");
inline const QString kAmountFormat = QStringLiteral("#,##0.00_);(#,##0.00)");
inline const QString kReportCreditLine = QStringLiteral("CostDesk 2.0  งานพัฒนาระบบสารสนเทศ กองคลัง");
constexpr quint32 kTitleColour = Rgb(12, 5, 143);
constexpr quint32 kHeaderFill = Rgb(155, 205, 230);
constexpr quint32 kDataFill = Rgb(255, 255, 255);
constexpr int kReportFirstDataRow = 4; // 0-based: sheet row 5

// Font sizes in points: the workbook's standard font (the range line), the
// title, the spacer under it, and the table.
constexpr double kStandardFontSize = 11;
constexpr double kTitleFontSize = 16;
constexpr double kSpacerFontSize = 14;
constexpr double kTableFontSize = 12;

// Row heights in points, each room for a line of its font with the Thai
// marks above and below it: the title, the spacer, and every other row.
inline const double kTitleRowHeight = SheetFont::rowHeightFor(kTitleFontSize);
inline const double kSpacerRowHeight = SheetFont::rowHeightFor(kSpacerFontSize);
inline const double kReportRowHeight = SheetFont::rowHeightFor(kTableFontSize);

// Room added to the widest text of a column, a share of it and characters
// on top: a spreadsheet keeps a few points free on each side of a cell's
// text, a reader that rounds each glyph to whole pixels sets a line a little
// wider, and the font that answers to the workbook font's name elsewhere may
// be a little wider too.
constexpr double kColumnWidthShare = 1.05;
constexpr double kColumnWidthMargin = 1.5;

// "ตั้งแต่วันที่ :" + begin + "   ถึงวันที่  :" + end
QString ReportRangeLine(const QString& rangeBegin, const QString& rangeEnd);

// The footer's date and time: "dd/mm/yyyy HH:mm" with the Buddhist-era year,
// from a local time.
QString ReportFooterStamp(const QDateTime& local);
