#include "core/InvoiceStatus.h"

QString letter(InvoiceStatus status)
{
    return QString(QChar(char16_t(status)));
}

std::optional<InvoiceStatus> statusFromLetter(QStringView letter)
{
    if (letter.size() != 1)
        return std::nullopt;
    for (const InvoiceStatus status : kInvoiceStatuses)
        if (letter.front().unicode() == char16_t(status))
            return status;
    return std::nullopt;
}

QString thaiWord(InvoiceStatus status)
{
    // Made once: the listings ask for a word per row.
    static const QString issued = QStringLiteral("ยังไม่ชำระเงิน");
    static const QString paid = QStringLiteral("บันทึกชำระเงิน");
    static const QString remitted = QStringLiteral("บันทึกนำส่งเงิน");
    static const QString cancelled = QStringLiteral("ยกเลิก");
    switch (status) {
    case InvoiceStatus::Issued:
        return issued;
    case InvoiceStatus::Paid:
        return paid;
    case InvoiceStatus::Remitted:
        return remitted;
    case InvoiceStatus::Cancelled:
        return cancelled;
    }
    return {};
}
