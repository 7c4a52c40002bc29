#pragma once

// Invoices in the states the payment and remittance windows work on, written
// straight into the tables as issued, paid or remitted.
#include "data/Cafeterias.h"
#include "data/Invoices.h"

#include <QStringList>

namespace PaymentFixtures {

inline const QString kShopCode = QStringLiteral("CF25700001");

inline void storeShop(Database& db)
{
    CafeteriaTable::Shop shop;
    shop.code = kShopCode;
    shop.name = QStringLiteral("ร้านป้าแดง ก๋วยเตี๋ยวเรือ");
    shop.surName = QStringLiteral("นาง");
    shop.firstName = QStringLiteral("แดง");
    shop.lastName = QStringLiteral("ใจงาม");
    shop.personId = QStringLiteral("3100700123456");
    shop.taxId = QStringLiteral("3100700654321");
    shop.address1 = QStringLiteral("12 ซอยงามวงศ์วาน 3");
    shop.address2 = QStringLiteral("ลาดยาว จตุจักร กรุงเทพมหานคร");
    CafeteriaTable::insertShop(db, shop);
}

struct Stored {
    QString number;
    QString status = QStringLiteral("A");
    qint64 satang = 100000;
    QString payInDate = QString();  // dd/mm/yyyy, empty while unpaid
    QString firstName = QStringLiteral("แดง");
    QString shopCode = kShopCode;
};

inline void store(Database& db, const Stored& s)
{
    Invoice v;
    v.number = s.number;
    v.dateEntry = QStringLiteral("01/11/2569");
    v.dateEntryNum = QStringLiteral("25691101");
    v.dateMustPay = QStringLiteral("15/12/2569");
    v.dateMustPayNum = QStringLiteral("25691215");
    v.cafeteriaCode = s.shopCode;
    v.surName = QStringLiteral("นาง");
    v.firstName = s.firstName;
    v.lastName = QStringLiteral("ใจงาม");
    v.status = s.status;
    v.payTotal = Money::fromSatang(s.satang);
    v.payInDate = s.payInDate;
    if (!s.payInDate.isEmpty())
        v.payInDateNum = s.payInDate.mid(6, 4) + s.payInDate.mid(3, 2) + s.payInDate.left(2);
    InvoiceTable::insert(db, v);
}

// The header as the tables now hold it.
inline Invoice stored(Database& db, const QString& number)
{
    return InvoiceTable::findHeader(db, number).value();
}

inline QStringList statuses(Database& db)
{
    QStringList list;
    for (const Row& r : db.select(QStringLiteral("SELECT Invoice_Status FROM T_PayIn_Main ORDER BY Invoice_no")))
        list << r.text(0);
    return list;
}

} // namespace PaymentFixtures
