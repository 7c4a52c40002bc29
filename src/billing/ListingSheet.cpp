#include "billing/ListingSheet.h"

namespace {

// The typed rows as the sheet takes them: money and whole numbers become
// numbers, dates their dd/mm/yyyy text, texts stay as they are.
class RowSource final : public ReportRowSource {
public:
    explicit RowSource(std::shared_ptr<const ListingRows> rows) : rows_(std::move(rows)) {}

    int rowCount() const override { return rows_->size(); }
    int columnCount() const override { return rows_->columns(); }
    bool isTotal(int row) const override
    {
        const RowKind kind = rows_->rowKind(row);
        return kind == RowKind::Subtotal || kind == RowKind::Total;
    }

    CellValueView value(int row, int column, QString& scratch) const override
    {
        CellValueView v;
        switch (rows_->kind(row, column)) {
        case ValueKind::Blank:
            break;
        case ValueKind::Text:
            v.type = CellValue::Type::Text;
            v.text = rows_->text(row, column);
            break;
        case ValueKind::Integer:
            v.type = CellValue::Type::Number;
            v.number = double(rows_->integer(row, column));
            break;
        case ValueKind::Money:
            v.type = CellValue::Type::Number;
            v.number = rows_->money(row, column).toDouble();
            break;
        case ValueKind::Date:
            // Text, as the office reads it: a Buddhist-era date taken for a
            // date would be stored as a wrong Christian-era day.
            rows_->date(row, column).writeText(scratch);
            v.type = CellValue::Type::Text;
            v.text = scratch;
            break;
        }
        return v;
    }

private:
    std::shared_ptr<const ListingRows> rows_;
};

HAlign sheetAlign(ColumnAlign align)
{
    switch (align) {
    case ColumnAlign::Default: return HAlign::General;
    case ColumnAlign::Centre: return HAlign::Centre;
    case ColumnAlign::Right: return HAlign::Right;
    }
    return HAlign::General;
}

} // namespace

ReportLayout ListingSheetLayout(const ListingDescription& listing, const ListingValues& values,
                                const QDateTime& exportedAt)
{
    ReportLayout layout;
    layout.title = listing.sheet.title;
    layout.rangeLine = listing.rangeLine(values);
    for (const ListingColumn& c : listing.columns)
        layout.columns.append({c.caption, c.sheetWidth, sheetAlign(c.align), c.kind == ValueKind::Money});
    layout.widthsPast = listing.sheet.widthsPast;
    layout.boldTotals = listing.sheet.boldTotals;
    layout.exportedAt = exportedAt;
    return layout;
}

SheetDescription ListingSheet(const ListingDescription& listing, const ListingValues& values,
                              std::shared_ptr<const ListingRows> rows, const QDateTime& exportedAt)
{
    return BuildReportSheet(ListingSheetLayout(listing, values, exportedAt),
                            rows ? std::make_shared<const RowSource>(std::move(rows)) : nullptr);
}
