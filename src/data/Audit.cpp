#include "data/Audit.h"

#include "data/Database.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace Audit {

const QList<AuditedTable>& AuditedTables()
{
    static const QList<AuditedTable> tables = {
        {QStringLiteral("T_PayIn_Main"), {QStringLiteral("Invoice_no")}},  // invoices, payments, remittances
        {QStringLiteral("T_PayIn_Detail"), {QStringLiteral("Invoice_no"), QStringLiteral("In_Order")}},
        {QStringLiteral("T_Bank_Payment"),
         {QStringLiteral("Invoice_no"), QStringLiteral("Bank_Code"), QStringLiteral("Payment_Date"),
          QStringLiteral("Payment_Time"), QStringLiteral("Bank_Sequence")}},
        {QStringLiteral("T_Invoice_Cancel"), {QStringLiteral("Invoice_no")}},
        {QStringLiteral("TR_Cafeteria"), {QStringLiteral("Cafeteria_Code")}},
        {QStringLiteral("TR_Fix_Cost_Type"), {QStringLiteral("Cafeteria_Code"), QStringLiteral("Cost_Code")}},
        {QStringLiteral("Tr_Cost_Type"), {QStringLiteral("Cost_Code")}},
        {QStringLiteral("Tr_Place_Cafeteria"), {QStringLiteral("Place_Code")}},
        {QStringLiteral("T_USER"), {QStringLiteral("ID")}},
    };
    return tables;
}

void InstallTriggers(Database& db)
{
    for (const AuditedTable& table : AuditedTables()) {
        // The columns of the result of a statement that reads no row.
        QSqlQuery query(db.handle());
        query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table.name));
        const QSqlRecord record = query.record();
        QStringList columns;
        for (int i = 0; i < record.count(); ++i)
            columns << record.fieldName(i);
        if (columns.isEmpty())
            throw DbError(QStringLiteral("ไม่พบตาราง %1 จึงสร้างการบันทึกประวัติการแก้ไขไม่ได้").arg(table.name));
        for (const QString& statement : db.dialect().auditTriggerStatements(table.name, table.key, columns))
            db.execute(statement);
    }
}

} // namespace Audit
