#pragma once

#include "xlsx/SheetDescription.h"
#include "xlsx/SheetFont.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// The printable sheet of a listing report: title, range, coloured header
// row, the listing's rows with borders and number formats, A4 set-up,
// printed one page wide. Every column is at least as wide as the widest text
// it shows, in the workbook's font (SheetFont). The frame is the same for
// every listing; ReportLayout carries what differs.

// What differs between the listings' sheets, as plain data.
struct ReportColumn {
    QString header;
    // The least width in characters of the standard font; none: the
    // spreadsheet's default width.
    std::optional<double> width;
    HAlign align = HAlign::General;
    bool amount = false; // the amount format, kAmountFormat
};

struct ReportLayout {
    QString title;     // row 1
    QString rangeLine; // row 2: the range the listing was asked for
    QList<ReportColumn> columns; // the table, from A
    // The least widths of the columns right of the table, from the first.
    QList<double> widthsPast;
    bool boldTotals = false; // total rows in bold
    QString creditLine; // left footer; empty = kReportCreditLine
    // The moment of the export by the database's clock (Database::serverNow()),
    // printed in the footer as that clock reads it; invalid: the footer
    // holds no moment until the export stamps it (StampReportSheet).
    QDateTime exportedAt;
};

// The table's rows, typed, where their owner keeps them.
class ReportRowSource : public SheetRowSource {
public:
    virtual bool isTotal(int row) const = 0;
};

// The sheet of a listing. `rows` is nullptr when nothing was listed yet: the
// header row then shows no texts. No rows at all still give one empty
// bordered row under the header.
SheetDescription BuildReportSheet(const ReportLayout& layout, std::shared_ptr<const ReportRowSource> rows);

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

// The footer's date and time: "dd/mm/yyyy HH:mm" with the Buddhist-era year,
// the day and time as `at` reads them, in the zone it carries: the
// database's clock, never this computer's.
QString ReportFooterStamp(const QDateTime& at);

// Puts the moment of the export into the sheet's footer, as fixed text: a
// spreadsheet's own date and time codes would print the printing
// computer's clock, in the Christian era.
void StampReportSheet(SheetDescription& sheet, const QDateTime& at);
