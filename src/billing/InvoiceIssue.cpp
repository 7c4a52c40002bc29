#include "billing/InvoiceIssue.h"

#include "core/ThaiDate.h"

namespace InvoiceIssue {

QString YearFullMessage(const QString& budgetYear)
{
    return QStringLiteral("เลขที่ใบแจ้งหนี้ของปีงบประมาณ %1 ครบ 99999 ฉบับแล้ว ไม่สามารถออกใบแจ้งหนี้ได้ กรุณาติดต่อผู้ดูแลระบบ")
        .arg(budgetYear);
}

Invoice HeaderOf(const Draft& draft, const Issuer& issuer)
{
    Invoice v;
    v.dateEntry = issuer.currentDate;
    v.userEntry = issuer.loginUser;
    v.dateMustPay = draft.dueDate;
    v.cafeteriaCode = draft.shop.code;
    v.personId = draft.shop.personId;
    v.surName = draft.shop.surName;
    v.firstName = draft.shop.firstName;
    v.lastName = draft.shop.lastName;
    v.dateMustPayNum = DisplayToSortDate(draft.dueDate);
    v.dateEntryNum = DisplayToSortDate(issuer.currentDate);
    v.cafeteriaAddress = draft.shop.location;
    v.status = QStringLiteral("A");
    v.lines = draft.lines;
    v.payTotal = v.linesTotal();
    return v;
}

Result Issue(Database& db, const Draft& draft, const Issuer& issuer,
             const std::function<void(const QString& number)>& alsoWrite)
{
    Invoice invoice = HeaderOf(draft, issuer);
    Database::Transaction transaction(db);
    const std::optional<QString> number = InvoiceTable::drawInvoiceNumber(db, issuer.budgetYear);
    if (!number)
        return {std::nullopt, true};  // rolled back: nothing drawn
    invoice.number = *number;
    invoice.timeEntry = db.serverNow().toString(QStringLiteral("HH:mm:ss"));
    InvoiceTable::insert(db, invoice);
    if (alsoWrite)
        alsoWrite(*number);
    transaction.commit();
    return {number, false};
}

} // namespace InvoiceIssue
