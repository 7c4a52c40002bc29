#pragma once

#include "xlsx/SheetDescription.h"

#include <QList>
#include <QString>
#include <QStringList>

// The printable sheet of a listing report: title, date range, coloured
// header row, the grid's rows with borders and number formats, A4 set-up.

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
    QList<ColumnWidth> columnWidths;
    QString creditLine; // left footer; empty = kReportCreditLine
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

// Row heights in points, room for Thai marks above and below the line: the
// 16-point title, the 14-point spacer, and every other row (size 12 and the
// standard font).
constexpr double kTitleRowHeight = 24;
constexpr double kSpacerRowHeight = 21;
constexpr double kReportRowHeight = 18;

// "ตั้งแต่วันที่ :" + begin + "   ถึงวันที่  :" + end
QString ReportRangeLine(const QString& rangeBegin, const QString& rangeEnd);
