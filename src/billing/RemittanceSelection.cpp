#include "billing/RemittanceSelection.h"

void RemittanceSelection::list(const QList<Invoice>& paid)
{
    rows_.clear();
    rows_.reserve(paid.size());
    for (const Invoice& invoice : paid)
        rows_.append({invoice, false});
    total_ = Money();
}

bool RemittanceSelection::toggle(int index)
{
    if (index < 0 || index >= size())
        return false;
    Row& row = rows_[index];
    row.marked = !row.marked;
    total_ = row.marked ? total_ + row.invoice.payTotal : total_ - row.invoice.payTotal;
    return true;
}

QStringList RemittanceSelection::markedNumbers() const
{
    QStringList numbers;
    for (const Row& row : rows_)
        if (row.marked)
            numbers.append(row.invoice.number);
    return numbers;
}

QString RemittanceSelection::latestMarkedPaymentDate() const
{
    const Invoice* latest = nullptr;
    for (const Row& row : rows_)
        if (row.marked && (!latest || row.invoice.payInDateNum > latest->payInDateNum))
            latest = &row.invoice;
    return latest ? latest->payInDate : QString();
}
