#pragma once

// The sample shop and invoices the tests share, written straight into the
// tables as issued, paid or remitted. A test sets only what it looks at.
#include "data/Cafeterias.h"
#include "data/Invoices.h"

#include <QStringList>

namespace Samples {

inline const QString kShopCode = QStringLiteral("CF25700001");

// A noodle shop at the central canteen with its operator's ID and tax
// numbers and address.
CafeteriaTable::Shop shop();
void storeShop(Database& db);

// An invoice of the sample shop, issued by the clerk. Members in the order
// a designated initialiser names them.
struct InvoiceSample {
    QString number;
    QString status = QStringLiteral("A");
    qint64 satang = 100000;          // the total of an invoice without lines
    QString payInDate = QString();   // dd/mm/yyyy, empty while unpaid
    QString firstName = QStringLiteral("แดง");
    QString shopCode = kShopCode;
    QList<InvoiceLine> lines = {};   // when given, the total is their sum
    QString due = QStringLiteral("15/12/2569");
    QString dateEntry = QStringLiteral("01/11/2569");
    QString surName = QStringLiteral("นาง");
    QString lastName = QStringLiteral("ใจงาม");
    QString rvNo = QString();
    QString rvDate = QString();
};

// The record with every column filled in, each date's yyyymmdd form beside it.
Invoice invoice(const InvoiceSample& sample);
void store(Database& db, const InvoiceSample& sample);

// The header as the tables now hold it.
Invoice stored(Database& db, const QString& number);
// Every invoice's status letter, in number order.
QStringList statuses(Database& db);

} // namespace Samples
