#include "xlsx/ReportSheet.h"

#include "core/ThaiDate.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

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

// Ems of a number as "General" shows it.
double generalWidthEm(double value)
{
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        // The digits of a whole number, without making a text of them.
        char16_t digits[20];
        qint64 n = qint64(value);
        const bool negative = n < 0;
        quint64 u = negative ? quint64(-n) : quint64(n);
        int at = 20;
        do {
            digits[--at] = char16_t(u'0' + u % 10);
            u /= 10;
        } while (u > 0);
        if (negative)
            digits[--at] = u'-';
        return SheetFont::widthEm(QStringView(digits + at, 20 - at));
    }
    return SheetFont::widthEm(QString::number(value, 'g', 15));
}

// The widest text of each column of the table, in ems of the table's font,
// as the cells show it.
class ColumnFit {
public:
    ColumnFit(int columns, const QList<ReportColumn>& layout) : widest_(columns, 0.0), amount_(columns, false)
    {
        for (int c = 0; c < columns && c < layout.size(); ++c)
            amount_[c] = layout[c].amount;
    }

    void addTexts(const QStringList& texts)
    {
        const int n = int(std::min<qsizetype>(texts.size(), widest_.size()));
        for (int c = 0; c < n; ++c)
            widest_[c] = std::max(widest_[c], SheetFont::widthEm(texts[c]));
    }

    void add(int c, const CellValueView& v)
    {
        if (c < int(widest_.size()))
            widest_[c] = std::max(widest_[c], shownEm(c, v));
    }

    int columns() const { return int(widest_.size()); }
    double widestEm(int column) const { return widest_[column]; }

private:
    double shownEm(int c, const CellValueView& v) const
    {
        switch (v.type) {
        case CellValue::Type::Blank:
            return 0;
        case CellValue::Type::Text:
            return SheetFont::widthEm(v.text);
        case CellValue::Type::Number:
            if (amount_[c])
                return amountWidthEm(v.number);
            // "General" may show a number a little differently from its
            // digits (a leading zero added to ".5"): one digit more is room
            // for it.
            return generalWidthEm(v.number) + SheetFont::digitWidthEm();
        }
        return 0;
    }

    std::vector<double> widest_;
    std::vector<bool> amount_;
};

// Up to the next hundredth of a character: a file of short numbers.
double roundedUp(double characters)
{
    return std::ceil(characters * 100) / 100;
}

// The columns' widths: the listing's own as the least, each widened to its
// widest text; the table as a whole at least as wide as the title and the
// range line above it, which are spread across it.
QList<ColumnWidth> fittedWidths(const ColumnFit& fit, const ReportLayout& layout, int last)
{
    std::vector<double> width; // 0: none of its own
    for (const ReportColumn& column : layout.columns)
        width.push_back(column.width.value_or(0));
    for (double past : layout.widthsPast)
        width.push_back(past);
    const int columns = std::max(fit.columns(), int(width.size()));
    width.resize(size_t(columns), 0);
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
    const double above = std::max(standardCharacters(layout.title, kTitleFontSize),
                                  standardCharacters(layout.rangeLine, kStandardFontSize));
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

QString ReportFooterStamp(const QDateTime& at)
{
    return CurrentDateText(at) + u' ' + at.time().toString(QStringLiteral("HH:mm"));
}

void StampReportSheet(SheetDescription& sheet, const QDateTime& at)
{
    sheet.page.rightFooter = at.isValid() ? ReportFooterStamp(at) : QString();
}

SheetDescription BuildReportSheet(const ReportLayout& layout, std::shared_ptr<const ReportRowSource> rows)
{
    SheetDescription sheet;
    sheet.name = kReportSheetName;
    sheet.title = layout.title;
    sheet.fontName = SheetFont::kName;
    sheet.fontSize = kStandardFontSize;
    const int last = std::max<int>(0, int(layout.columns.size()) - 1);

    // Columns the listing filled: none before anything was listed.
    const int gridColumns = rows ? std::max<int>(int(layout.columns.size()), rows->columnCount()) : 0;
    // Columns that get a format in some row: the table, and listed columns past it.
    const int styledColumns = std::max(last + 1, gridColumns);

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
        sheet.rows.append({0, {layout.title}, sheet.addRowStyle(style)});
    }

    // Row 2: the range in the default font.
    sheet.rows.append({1, {layout.rangeLine}, -1});

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
    QStringList headers;
    if (rows)
        for (const ReportColumn& column : layout.columns)
            headers << column.header;
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
        // The headers are the listing's texts, whatever they read like.
        for (int c = 0; c < headers.size(); ++c)
            style.textColumns.append(c);
        sheet.rows.append({3, headers, sheet.addRowStyle(style)});
    }

    // Column formats reach one row below the data block.
    auto applyColumnFormats = [&](CellFormat f, int column) {
        if (column < layout.columns.size()) {
            const ReportColumn& own = layout.columns[column];
            if (own.amount)
                f.numberFormat = kAmountFormat;
            if (own.align != HAlign::General)
                f.align = own.align;
        }
        return f;
    };

    // Rows 5 on: the data, white cells with vertical lines and a frame, no
    // lines between rows. Only the first and the last row differ, and the
    // total rows where they are bold. The size 12 is carried by the table's
    // cells alone: a row format as well would lengthen every row of the file
    // for cells right of the table, which hold nothing.
    auto dataStyle = [&](bool first, bool lastRow, bool bold) {
        RowStyle style;
        for (int c = 0; c < styledColumns; ++c) {
            CellFormat f = size12;
            f.bold = bold;
            if (c < gridColumns)
                f.fill = kDataFill;
            if (c <= last)
                f = thinBox(f, first, lastRow);
            style.cellFormats.append(sheet.addFormat(applyColumnFormats(f, c)));
        }
        return sheet.addRowStyle(style);
    };

    const int listed = rows ? rows->rowCount() : 0;
    const int n = std::max(1, listed); // an empty table keeps one empty row
    // Indexed by [bold][first][last]: the middle rows', the first's and the
    // last's, bold ones only where totals are bold.
    int styles[2][2][2] = {};
    for (int bold = 0; bold < (layout.boldTotals ? 2 : 1); ++bold) {
        styles[bold][0][0] = dataStyle(false, false, bold);
        styles[bold][1][n == 1] = dataStyle(true, n == 1, bold);
        styles[bold][n == 1][1] = dataStyle(n == 1, true, bold);
    }

    ColumnFit fit(styledColumns, layout.columns);
    fit.addTexts(headers);
    if (listed == 0) {
        sheet.rows.append({kReportFirstDataRow, {}, styles[0][1][1]});
    } else {
        const bool boldTotals = layout.boldTotals;
        sheet.block.firstRow = kReportFirstDataRow;
        sheet.block.source = rows;
        sheet.block.style = [styles, rows, boldTotals, n](int r) {
            const bool bold = boldTotals && rows->isTotal(r);
            return styles[bold][r == 0][r == n - 1];
        };
        QString scratch;
        const int columns = std::min(rows->columnCount(), fit.columns());
        for (int r = 0; r < listed; ++r)
            for (int c = 0; c < columns; ++c)
                fit.add(c, rows->value(r, c, scratch));
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

    sheet.columnWidths = fittedWidths(fit, layout, last);
    // The rows' heights are written, not left to the reader: a reader that
    // keeps its standard height for a row would cut the tops of the Thai
    // marks off the larger fonts.
    sheet.defaultRowHeight = kReportRowHeight;

    PageSetup& page = sheet.page;
    page.leftHeader = QStringLiteral("Page &P From &N");
    page.rightHeader = QStringLiteral("(Emp001)");
    page.leftFooter = layout.creditLine.isEmpty() ? kReportCreditLine : layout.creditLine;
    StampReportSheet(sheet, layout.exportedAt);
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
