#include "support/Samples.h"

#include "core/ThaiDate.h"

namespace Samples {

namespace {

QString sortFormOf(const QString& date)
{
    return date.isEmpty() ? QString() : DisplayToSortDate(date);
}

} // namespace

CafeteriaTable::Shop shop()
{
    CafeteriaTable::Shop s;
    s.code = kShopCode;
    s.name = QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ");
    s.surName = QStringLiteral("นาง");
    s.firstName = QStringLiteral("แดง");
    s.lastName = QStringLiteral("ใจงาม");
    s.personId = QStringLiteral("3509900123456");
    s.taxId = QStringLiteral("3100700654321");
    s.address1 = QStringLiteral("12 ซอยงามวงศ์วาน 3");
    s.address2 = QStringLiteral("ลาดยาว จตุจักร กรุงเทพมหานคร");
    s.location = QStringLiteral("โรงอาหารกลาง");
    return s;
}

void storeShop(Database& db)
{
    CafeteriaTable::insertShop(db, shop());
}

Invoice invoice(const InvoiceSample& sample)
{
    const CafeteriaTable::Shop from = shop();
    Invoice v;
    v.number = sample.number;
    v.dateEntry = sample.dateEntry;
    v.dateEntryNum = sortFormOf(sample.dateEntry);
    v.timeEntry = QStringLiteral("10:00:00");
    v.userEntry = QStringLiteral("clerk");
    v.dateMustPay = sample.due;
    v.dateMustPayNum = sortFormOf(sample.due);
    v.cafeteriaCode = sample.shopCode;
    v.personId = from.personId;
    v.surName = sample.surName;
    v.firstName = sample.firstName;
    v.lastName = sample.lastName;
    v.cafeteriaAddress = from.location;
    v.status = sample.status;
    v.lines = sample.lines;
    v.payTotal = sample.lines.isEmpty() ? Money::fromSatang(sample.satang) : v.linesTotal();
    v.payInDate = sample.payInDate;
    v.payInDateNum = sortFormOf(sample.payInDate);
    v.rvNo = sample.rvNo;
    v.rvDate = sample.rvDate;
    v.rvDateNum = sortFormOf(sample.rvDate);
    return v;
}

void store(Database& db, const InvoiceSample& sample)
{
    InvoiceTable::insert(db, invoice(sample));
}

Invoice stored(Database& db, const QString& number)
{
    return InvoiceTable::findHeader(db, number).value();
}

QStringList statuses(Database& db)
{
    QStringList list;
    for (const Row& r : db.select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main ORDER BY Invoice_no")))
        list << r.text(0);
    return list;
}

} // namespace Samples
