#pragma once

#include "billing/PeriodListings.h"
#include "reports/ReportWindow.h"

// The report window over one listing's description, by the routine that
// gives the description: a listing's window is nothing more.
template <const ListingDescription& (*Describe)()>
class ListingWindow : public ReportWindow {
public:
    explicit ListingWindow(WorkContext& context, QWidget* parent = nullptr) : ReportWindow(context, Describe(), parent)
    {
    }
};

// Every invoice due in the range with its status word and the grand total.
using TfrmRep_Cost_Month = ListingWindow<PeriodListings::dueDate>;

// The invoices paid in at the bank in the range, with the grand total.
using TfrmRepPay_in_Bank = ListingWindow<PeriodListings::payIn>;

// The invoice lines of the invoices due in the range, by cost type, with a
// subtotal per cost type and the grand total; one cost type or all, paid,
// unpaid or all invoices.
using TfrmRep_Cost_Detail = ListingWindow<PeriodListings::costDetail>;

// The invoices still unpaid after their due date as of a day, shop by shop,
// by age, with a subtotal per shop and the grand total; one shop or all.
using TfrmRep_Overdue = ListingWindow<PeriodListings::overdue>;
