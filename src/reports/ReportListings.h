#pragma once

#include "reports/ReportWindow.h"

// The report windows of the listings (billing/PeriodListings), each the
// report window over its listing's description.

// Every invoice due in the range with its status word and the grand total.
class TfrmRep_Cost_Month : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRep_Cost_Month(WorkContext& context, QWidget* parent = nullptr);
};

// The invoices paid in at the bank in the range, with the grand total.
class TfrmRepPay_in_Bank : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRepPay_in_Bank(WorkContext& context, QWidget* parent = nullptr);
};

// The invoice lines of the invoices due in the range, by cost type, with a
// subtotal per cost type and the grand total; one cost type or all, paid,
// unpaid or all invoices.
class TfrmRep_Cost_Detail : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRep_Cost_Detail(WorkContext& context, QWidget* parent = nullptr);
};

// The invoices still unpaid after their due date as of a day, shop by shop,
// by age, with a subtotal per shop and the grand total; one shop or all.
class TfrmRep_Overdue : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRep_Overdue(WorkContext& context, QWidget* parent = nullptr);
};
