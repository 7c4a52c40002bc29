#pragma once

#include "billing/InvoiceIssue.h"

// The invoice the issuing benches issue over and over: one shop, three lines
// of the usual kinds.
inline InvoiceIssue::Draft BenchDraft()
{
    InvoiceIssue::Draft d;
    d.shop.code = QStringLiteral("CF25700001");
    d.shop.surName = QStringLiteral("นาง");
    d.shop.firstName = QStringLiteral("บุญศรี");
    d.shop.lastName = QStringLiteral("ก้อนแก้ว");
    d.shop.location = QStringLiteral("โรงอาหารกลาง");
    d.dueDate = QStringLiteral("31/12/2569");
    d.lines = {{1, QStringLiteral("001"), QStringLiteral("ค่าเช่าพื้นที่"), Money::fromSatang(315900), QString()},
               {2, QStringLiteral("003"), QStringLiteral("ค่าไฟฟ้า"), Money::fromSatang(226816), QStringLiteral("มิเตอร์ 12")},
               {3, QStringLiteral("004"), QStringLiteral("ค่าน้ำประปา"), Money::fromSatang(60225), QString()}};
    return d;
}
