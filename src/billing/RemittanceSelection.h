#pragma once

#include "core/Money.h"
#include "data/Invoices.h"

#include <QList>
#include <QStringList>

// The paid invoices listed for one remittance voucher, the ones the clerk
// has marked and their exact total. The window shows it; the rules of what
// may go on live here.
class RemittanceSelection {
public:
    // A new listing: nothing marked, a total of zero.
    void list(const QList<Invoice>& paid);

    int size() const { return int(rows_.size()); }
    const Invoice& invoice(int index) const { return rows_.at(index).invoice; }
    bool isMarked(int index) const { return index >= 0 && index < size() && rows_.at(index).marked; }

    // Marks an unmarked row or unmarks a marked one; false for no such row.
    bool toggle(int index);

    // The exact sum of the marked invoices.
    Money total() const { return total_; }
    // The voucher may be opened once the marks add up to an amount: marks on
    // invoices of zero alone open nothing.
    bool mayOpenVoucher() const { return total_ != Money(); }
    // The marked invoices' numbers, top to bottom.
    QStringList markedNumbers() const;
    // The latest payment date (dd/mm/yyyy) of the marked invoices; empty
    // when none is marked.
    QString latestMarkedPaymentDate() const;

private:
    struct Row {
        Invoice invoice;
        bool marked = false;
    };
    QList<Row> rows_;
    Money total_;
};
