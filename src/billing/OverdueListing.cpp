#include "billing/PeriodListings.h"

#include "billing/ReminderLetters.h"
#include "core/OverdueAge.h"
#include "core/ThaiDate.h"
#include "data/Reports.h"

#include <QDate>

#include <array>

namespace PeriodListings {

namespace {

enum Column {
    kNumber,
    kInvoice, // heading: the shop code
    kName,    // heading: the shop's name and place; lines: the operator; totals: the label
    kIssued,
    kDue,
    kDays,
    kAmount,
    kFirstAge, // four age columns from here
    kColumns = kFirstAge + 4,
};

const QString kAsOf = QStringLiteral("as-of");
const QString kShop = QStringLiteral("shop");

// A shop code is "CF", the budget year and four digits (FormatShopCode).
constexpr int kShopCodeLength = 10;

// The amount and its age column summed, for a shop and for the listing.
struct Sums {
    Money amount;
    std::array<Money, 4> ages{};

    void add(Money value, int bracket)
    {
        amount += value;
        ages[size_t(bracket)] += value;
    }
};

void addSums(ListingRows& rows, RowKind kind, const QString& label, const Sums& sums)
{
    rows.addRow(kind);
    rows.setText(kName, label);
    rows.setMoney(kAmount, sums.amount);
    // An age column owed nothing in stays empty, as on the invoices' rows.
    for (int a = 0; a < 4; ++a)
        if (sums.ages[size_t(a)] != Money())
            rows.setMoney(kFirstAge + a, sums.ages[size_t(a)]);
}

ListingRows overdueRows(Database& db, const ListingValues& values)
{
    ListingRows rows(kColumns);
    const QString asOfText = values.value(kAsOf);
    const QDate asOfDay = GregorianOfSortDate(DisplayToSortDate(asOfText));
    const std::optional<qint64> asOf = asOfDay.isValid() ? std::optional<qint64>(asOfDay.toJulianDay()) : std::nullopt;
    if (!asOf)
        return rows; // the window and the command refuse such a day before asking
    std::optional<QString> shop;
    if (values.has(kShop))
        shop = values.value(kShop);

    // Each invoice a row, and a heading and a subtotal row for each shop:
    // room for a shop every second invoice, grown past that only when most
    // shops owe just one.
    const int invoices = ReportQueries::countOverdue(db, DisplayToSortDate(asOfText), shop);
    if (invoices == 0)
        return rows;
    rows.reserve(2 * invoices + 1);

    QString currentShop;
    bool anyShop = false;
    Sums shopSums;
    Sums allSums;
    int number = 0;
    // Invoices come in due-date order within a shop: the last due day's
    // number is kept rather than counted again.
    int lastDue = -1;
    qint64 lastDueDay = 0;
    ReportQueries::forEachOverdue(db, DisplayToSortDate(asOfText), shop,
                                  [&](const ReportQueries::OverdueInvoice& v) {
        if (!anyShop || v.cafeteriaCode != currentShop) {
            if (anyShop)
                addSums(rows, RowKind::Subtotal, QStringLiteral("รวม ") + currentShop, shopSums);
            shopSums = Sums();
            currentShop = v.cafeteriaCode;
            anyShop = true;
            rows.addRow(RowKind::Heading);
            rows.setText(kInvoice, v.cafeteriaCode);
            // A shop taken off the register keeps the name it was billed under.
            QString name = v.cafeteriaName.isEmpty() ? v.operatorName : v.cafeteriaName;
            if (!v.location.isEmpty())
                name += QStringLiteral(" (") + v.location + u')';
            rows.setText(kName, name);
        }
        rows.addRow();
        rows.setInteger(kNumber, ++number);
        rows.setText(kInvoice, v.number);
        rows.setText(kName, v.operatorName);
        rows.setDate(kIssued, v.dateEntry);
        rows.setDate(kDue, v.dateMustPay);
        rows.setMoney(kAmount, v.amount);
        const int due = v.dateMustPayNum.toInt();
        if (due != lastDue) {
            lastDue = due;
            // A stored due day that is no calendar day (the program never
            // writes one) counts as due the day before.
            const QDate dueDay = GregorianOfSortDate(v.dateMustPayNum);
            lastDueDay = dueDay.isValid() ? dueDay.toJulianDay() : *asOf - 1;
        }
        const int days = int(*asOf - lastDueDay);
        rows.setInteger(kDays, days);
        const int bracket = OverdueAgeBracket(days);
        rows.setMoney(kFirstAge + bracket, v.amount);
        shopSums.add(v.amount, bracket);
        allSums.add(v.amount, bracket);
    });
    if (!anyShop)
        return rows;
    addSums(rows, RowKind::Subtotal, QStringLiteral("รวม ") + currentShop, shopSums);
    addSums(rows, RowKind::Total, QStringLiteral("รวมทั้งสิ้น"), allSums);
    return rows;
}

ListingDescription makeOverdue()
{
    ListingDescription d;
    d.name = QStringLiteral("overdue");
    d.caption = QStringLiteral("frmRep_Overdue");
    d.heading = QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ");

    ListingField asOf;
    asOf.key = kAsOf;
    asOf.label = QStringLiteral("ณ วันที่");
    asOf.sheetLabel = QStringLiteral("ณ วันที่ :");
    asOf.controls = {QStringLiteral("edtAs_of")};
    asOf.start = ListingField::Start::Today;
    ListingField shop;
    shop.kind = ListingField::Kind::Code;
    shop.key = kShop;
    shop.label = QStringLiteral("รหัสร้านค้า");
    shop.sheetLabel = QStringLiteral("   รหัสร้านค้า :");
    shop.controls = {QStringLiteral("edtCafeteria_Code")};
    shop.maxLength = kShopCodeLength;
    shop.placeholder = QStringLiteral("CODE");
    d.fields = {asOf, shop};

    const auto money = [](const QString& caption) {
        return ListingColumn{caption, ValueKind::Money, 100, 13, ColumnAlign::Right};
    };
    d.columns = {
        {QStringLiteral("No"), ValueKind::Integer, 50, 5, ColumnAlign::Centre},
        {QStringLiteral("เลขที่ใบแจ้งหนี้"), ValueKind::Text, 100, 14, ColumnAlign::Centre},
        {QStringLiteral("ร้านค้า / ผู้ประกอบการ"), ValueKind::Text, 230, 24, ColumnAlign::Default},
        {QStringLiteral("วันที่ออกใบแจ้งหนี้"), ValueKind::Date, 100, 12, ColumnAlign::Centre},
        {QStringLiteral("วันที่ต้องชำระ"), ValueKind::Date, 100, 12, ColumnAlign::Centre},
        {QStringLiteral("ค้างชำระ (วัน)"), ValueKind::Integer, 80, 9, ColumnAlign::Right},
        money(QStringLiteral("จำนวนเงิน")),
        money(OverdueAgeLabels()[0]),
        money(OverdueAgeLabels()[1]),
        money(OverdueAgeLabels()[2]),
        money(OverdueAgeLabels()[3]),
    };
    d.sheet.title = d.heading;
    d.sheet.boldTotals = true;
    d.rows = overdueRows;

    // The letters of the shops the same fields list, every invoice listed
    // on them, with the organisation's texts the window was given.
    ListingAction letters;
    letters.objectName = QStringLiteral("btnPrint_Reminders");
    letters.caption = QStringLiteral("พิมพ์หนังสือแจ้งเตือน");
    letters.title = QStringLiteral("หนังสือแจ้งเตือนการชำระเงิน");
    letters.nothingShown = QStringLiteral("ไม่มีร้านค้าที่ค้างชำระ");
    letters.pages = [](Database& db, const ListingValues& values, const DocumentTexts& texts) {
        ReminderRequest request;
        request.asOf = values.value(kAsOf);
        if (values.has(kShop))
            request.shopCode = values.value(kShop);
        return ReminderPages(db, request, texts);
    };
    d.action = letters;
    return d;
}

} // namespace

const ListingDescription& overdue()
{
    static const ListingDescription d = makeOverdue();
    return d;
}

} // namespace PeriodListings
