#include "billing/InvoiceIssue.h"

#include "core/InvoiceStatus.h"
#include "core/ThaiDate.h"

namespace InvoiceIssue {

QString YearFullMessage(const QString& budgetYear)
{
    return QStringLiteral("เลขที่ใบแจ้งหนี้ของปีงบประมาณ %1 ครบ 99999 ฉบับแล้ว ไม่สามารถออกใบแจ้งหนี้ได้ กรุณาติดต่อผู้ดูแลระบบ")
        .arg(budgetYear);
}

namespace {

// What a single line may not be, whatever else the draft holds.
Refusal lineRefusal(const InvoiceLine& line)
{
    if (line.amount == Money())
        return Refusal::ZeroAmount;
    if (!WithinLargestAmount(line.amount))
        return Refusal::AmountTooLarge;
    if (line.costCode.trimmed().isEmpty())
        return Refusal::NoCostType;
    return Refusal::None;
}

} // namespace

Money Draft::total() const
{
    return TotalOf(lines);
}

Refusal Draft::checkNewLine(const InvoiceLine& line) const
{
    if (lines.size() >= kMaxLines)
        return Refusal::TooManyLines;
    if (const Refusal refusal = lineRefusal(line); refusal != Refusal::None)
        return refusal;
    // Each line within bounds may still add up beyond them.
    if (!WithinLargestAmount(total() + line.amount))
        return Refusal::AmountTooLarge;
    return Refusal::None;
}

Refusal Draft::addLine(InvoiceLine line)
{
    const Refusal refusal = checkNewLine(line);
    if (refusal != Refusal::None)
        return refusal;
    line.inOrder = int(lines.size()) + 1;
    lines.append(line);
    return Refusal::None;
}

void Draft::removeLine(int index)
{
    if (index < 0 || index >= lines.size())
        return;
    lines.removeAt(index);
    for (int i = 0; i < lines.size(); ++i)
        lines[i].inOrder = i + 1;
}

Refusal Draft::check() const
{
    if (lines.isEmpty())
        return Refusal::NoLines;
    if (!IsCalendarDate(dueDate))
        return Refusal::BadDueDate;
    if (lines.size() > kMaxLines)
        return Refusal::TooManyLines;
    for (const InvoiceLine& line : lines)
        if (const Refusal refusal = lineRefusal(line); refusal != Refusal::None)
            return refusal;
    if (!WithinLargestAmount(total()))
        return Refusal::AmountTooLarge;
    return Refusal::None;
}

QString RefusalText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::TooManyLines:
        return QStringLiteral("ใบแจ้งหนี้มีได้ไม่เกิน %1 รายการ").arg(kMaxLines);
    case Refusal::ZeroAmount:
        return QStringLiteral("มีรายการที่จำนวนเงินเป็นศูนย์");
    case Refusal::NoCostType:
        return QStringLiteral("มีรายการที่ไม่ระบุประเภทค่าใช้จ่าย");
    case Refusal::NoLines:
        return QStringLiteral("ใบแจ้งหนี้ไม่มีรายการ");
    case Refusal::BadDueDate:
        return QStringLiteral("วันที่กำหนดชำระเงินไม่ถูกต้อง");
    case Refusal::AmountTooLarge:
        return QStringLiteral("จำนวนเงินเกินกว่าที่ระบบรองรับ (ไม่เกิน 99,999,999,999.99 บาท)");
    }
    return {};
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
    v.status = letter(InvoiceStatus::Issued);
    v.lines = draft.lines;
    v.payTotal = draft.total();
    return v;
}

Result Issue(Database& db, const Draft& draft, const Issuer& issuer,
             const std::function<void(const QString& number)>& alsoWrite)
{
    if (const Refusal refusal = draft.check(); refusal != Refusal::None)
        return {std::nullopt, false, refusal};
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
