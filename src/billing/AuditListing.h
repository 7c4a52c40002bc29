#pragma once

#include "billing/ListingDescription.h"
#include "data/AuditTrail.h"

#include <QList>
#include <QString>

// The audit trail as a listing: who changed which record, when and how, for
// the administrator's window and its spreadsheet export.
namespace AuditListing {

// The audited tables with the names the office knows them by, in the order
// the window offers them.
struct AuditedTableName {
    QString table; // as the embedded engine writes it
    QString thai;
};
const QList<AuditedTableName>& TableNames();

// The Thai name of a table as either engine writes it; an unknown table's
// name as written.
QString TableCaption(const QString& table);

// "เพิ่ม", "แก้ไข" or "ลบ" for I, U or D; anything else as written.
QString ActionWord(const QString& action);

// What a change did, "column: value" joined by "; ": the new values of an
// insert, the old ones of a delete, and of an update only the columns that
// changed, "column: old → new". A password is only "รหัสผ่าน: เปลี่ยนแล้ว";
// a national ID or tax number is never shown either.
QString Details(const AuditTrail::Entry& entry);

// The listing itself: dates from and to (the month of the start-up date on
// opening), a user, a table (its Thai name) and a record's key; its rows one
// a change, oldest first.
const ListingDescription& history();

} // namespace AuditListing
