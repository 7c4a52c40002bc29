#include "billing/AuditListing.h"

#include "core/ThaiDate.h"
#include "data/Database.h"

#include <QTimeZone>

#include <algorithm>

namespace AuditListing {

namespace {

enum Column { kMoment, kWho, kTable, kKey, kAction, kDetails, kColumns };

const QString kFrom = QStringLiteral("from");
const QString kTo = QStringLiteral("to");
const QString kUser = QStringLiteral("user");
const QString kTableField = QStringLiteral("table");
const QString kKeyField = QStringLiteral("key");
const QString kAll = QStringLiteral("ทั้งหมด");

const QString kEmpty = QStringLiteral("(ว่าง)");

// Columns whose values the listing never shows, even to the administrator:
// the sheet it exports is an ordinary document others may read.
QString hiddenColumnName(const QString& column)
{
    const QString lower = column.toLower();
    if (lower == QLatin1String("password"))
        return QStringLiteral("รหัสผ่าน");
    if (lower == QLatin1String("person_id"))
        return QStringLiteral("เลขประจำตัวประชาชน");
    if (lower == QLatin1String("tax_id"))
        return QStringLiteral("เลขประจำตัวผู้เสียภาษี");
    return {};
}

QString shown(const std::optional<QString>& text)
{
    return text && !text->isEmpty() ? *text : kEmpty;
}

const AuditTrail::Value* valueOf(const QList<AuditTrail::Value>& values, const QString& column)
{
    for (const AuditTrail::Value& v : values)
        if (v.column.compare(column, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

// The columns of both rows, each once, in name order.
QStringList columnsOf(const AuditTrail::Entry& e)
{
    QStringList columns;
    for (const QList<AuditTrail::Value>* row : {&e.oldValues, &e.newValues})
        for (const AuditTrail::Value& v : *row)
            if (!columns.contains(v.column, Qt::CaseInsensitive))
                columns << v.column;
    std::stable_sort(columns.begin(), columns.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return columns;
}

// What one column says: nothing when it says nothing worth a word.
QString columnDetail(const AuditTrail::Entry& e, const QString& column)
{
    const bool update = e.action == QLatin1String("U");
    const AuditTrail::Value* before = valueOf(e.oldValues, column);
    const AuditTrail::Value* after = valueOf(e.newValues, column);
    const std::optional<QString> oldText = before ? before->text : std::nullopt;
    const std::optional<QString> newText = after ? after->text : std::nullopt;

    if (const QString hidden = hiddenColumnName(column); !hidden.isEmpty()) {
        // The trail keeps a password only as "changed"; the ID numbers it
        // keeps are still not written out here.
        if (column.compare(QLatin1String("password"), Qt::CaseInsensitive) == 0)
            return newText == QStringLiteral("changed") ? hidden + QStringLiteral(": เปลี่ยนแล้ว") : QString();
        if (update)
            return shown(oldText) != shown(newText) ? hidden + QStringLiteral(": เปลี่ยนแล้ว") : QString();
        const std::optional<QString>& only = e.newValues.isEmpty() ? oldText : newText;
        return only && !only->isEmpty() ? hidden + QStringLiteral(": (ไม่แสดง)") : QString();
    }
    if (update) {
        if (shown(oldText) == shown(newText))
            return {};
        return column + QStringLiteral(": ") + shown(oldText) + QStringLiteral(" → ") + shown(newText);
    }
    const std::optional<QString>& only = e.newValues.isEmpty() ? oldText : newText;
    if (!only || only->isEmpty())
        return {};
    return column + QStringLiteral(": ") + *only;
}

// The moment in the zone of the database's clock, the year Buddhist-era.
QString momentText(const QString& utc, const QTimeZone& zone)
{
    const QDateTime at = QDateTime::fromString(utc, Qt::ISODate);
    return at.isValid() ? ServerStampText(at.toTimeZone(zone)) : utc;
}

ListingRows historyRows(Database& db, const ListingValues& values)
{
    AuditTrail::Filter filter;
    for (const auto& [key, bound] : {std::pair{kFrom, &filter.from}, std::pair{kTo, &filter.to},
                                     std::pair{kUser, &filter.who}, std::pair{kKeyField, &filter.key}})
        if (values.has(key))
            *bound = values.value(key);
    if (values.has(kTableField) && values.value(kTableField) != kAll) {
        // A table by its Thai name, or by its own.
        const QString named = values.value(kTableField);
        filter.table = named;
        for (const AuditedTableName& t : TableNames())
            if (t.thai == named)
                filter.table = t.table;
    }

    const QTimeZone zone = db.clockZone(); // read before the rows: nothing may run meanwhile
    ListingRows rows(kColumns);
    AuditTrail::ForEach(db, filter, [&](const AuditTrail::Entry& e) {
        rows.addRow();
        rows.setText(kMoment, momentText(e.at, zone));
        rows.setText(kWho, e.who);
        rows.setText(kTable, TableCaption(e.table));
        rows.setText(kKey, e.key);
        rows.setText(kAction, ActionWord(e.action));
        rows.setText(kDetails, Details(e));
    });
    return rows;
}

ListingDescription makeHistory()
{
    ListingDescription d;
    d.name = QStringLiteral("audit");
    d.caption = QStringLiteral("frmAudit_History");
    d.heading = QStringLiteral("ประวัติการแก้ไขข้อมูล");

    ListingField from;
    from.key = kFrom;
    from.label = QStringLiteral("ตั้งแต่วันที่");
    from.sheetLabel = QStringLiteral("ตั้งแต่วันที่ :");
    from.controls = {QStringLiteral("edtBeg_date")};
    from.start = ListingField::Start::FirstOfMonth;
    ListingField to;
    to.key = kTo;
    to.label = QStringLiteral("ถึง");
    to.sheetLabel = QStringLiteral("   ถึงวันที่ :");
    to.controls = {QStringLiteral("edtEnd_date")};
    to.start = ListingField::Start::LastOfMonth;
    ListingField user;
    user.kind = ListingField::Kind::Code;
    user.key = kUser;
    user.label = QStringLiteral("ผู้ใช้");
    user.sheetLabel = QStringLiteral("   ผู้ใช้ :");
    user.controls = {QStringLiteral("edtUser")};
    user.placeholder = QStringLiteral("USER");
    ListingField table;
    table.kind = ListingField::Kind::Choice;
    table.key = kTableField;
    table.label = QStringLiteral("ตาราง");
    table.sheetLabel = QStringLiteral("   ตาราง :");
    table.controls = {QStringLiteral("cmbTable")};
    table.items = {kAll};
    for (const AuditedTableName& t : TableNames())
        table.items << t.thai;
    // The Thai names are the values too, so that the sheet names the table
    // as the window does.
    table.words = table.items;
    ListingField key;
    key.kind = ListingField::Kind::Code;
    key.key = kKeyField;
    key.label = QStringLiteral("รหัส");
    key.sheetLabel = QStringLiteral("   รหัส :");
    key.controls = {QStringLiteral("edtRow_Key")};
    key.placeholder = QStringLiteral("KEY");
    d.fields = {from, to, user, table, key};

    d.columns = {
        {QStringLiteral("วันที่เวลา"), ValueKind::Text, 130, 19, ColumnAlign::Centre},
        {QStringLiteral("ผู้ใช้"), ValueKind::Text, 80, 12, ColumnAlign::Default},
        {QStringLiteral("ตาราง"), ValueKind::Text, 130, 20, ColumnAlign::Default},
        {QStringLiteral("รหัส"), ValueKind::Text, 110, 16, ColumnAlign::Default},
        {QStringLiteral("การกระทำ"), ValueKind::Text, 60, 9, ColumnAlign::Centre},
        {QStringLiteral("รายละเอียด"), ValueKind::Text, 400, 80, ColumnAlign::Default},
    };
    d.sheet.title = d.heading;
    d.rows = historyRows;
    return d;
}

} // namespace

const QList<AuditedTableName>& TableNames()
{
    static const QList<AuditedTableName> names = {
        {QStringLiteral("T_PayIn_Main"), QStringLiteral("ใบแจ้งหนี้")},
        {QStringLiteral("T_PayIn_Detail"), QStringLiteral("รายการในใบแจ้งหนี้")},
        {QStringLiteral("T_Bank_Payment"), QStringLiteral("การชำระจากแฟ้มธนาคาร")},
        {QStringLiteral("T_Invoice_Cancel"), QStringLiteral("การยกเลิกใบแจ้งหนี้")},
        {QStringLiteral("TR_Cafeteria"), QStringLiteral("ร้านค้า")},
        {QStringLiteral("TR_Fix_Cost_Type"), QStringLiteral("ค่าใช้จ่ายคงที่")},
        {QStringLiteral("Tr_Cost_Type"), QStringLiteral("ประเภทค่าใช้จ่าย")},
        {QStringLiteral("Tr_Place_Cafeteria"), QStringLiteral("สถานที่")},
        {QStringLiteral("T_USER"), QStringLiteral("ผู้ใช้ระบบ")},
    };
    return names;
}

QString TableCaption(const QString& table)
{
    for (const AuditedTableName& t : TableNames())
        if (t.table.compare(table, Qt::CaseInsensitive) == 0)
            return t.thai;
    return table;
}

QString ActionWord(const QString& action)
{
    if (action == QLatin1String("I"))
        return QStringLiteral("เพิ่ม");
    if (action == QLatin1String("U"))
        return QStringLiteral("แก้ไข");
    if (action == QLatin1String("D"))
        return QStringLiteral("ลบ");
    return action;
}

QString Details(const AuditTrail::Entry& entry)
{
    QStringList parts;
    for (const QString& column : columnsOf(entry))
        if (const QString said = columnDetail(entry, column); !said.isEmpty())
            parts << said;
    return parts.join(QStringLiteral("; "));
}

const ListingDescription& history()
{
    static const ListingDescription d = makeHistory();
    return d;
}

} // namespace AuditListing
