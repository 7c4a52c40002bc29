#include "reports/ReportListings.h"

#include "billing/OverdueListing.h"
#include "billing/PeriodListings.h"

TfrmRep_Cost_Month::TfrmRep_Cost_Month(WorkContext& context, QWidget* parent)
    : ReportWindow(context, PeriodListings::dueDate(), parent)
{
}

TfrmRepPay_in_Bank::TfrmRepPay_in_Bank(WorkContext& context, QWidget* parent)
    : ReportWindow(context, PeriodListings::payIn(), parent)
{
}

TfrmRep_Cost_Detail::TfrmRep_Cost_Detail(WorkContext& context, QWidget* parent)
    : ReportWindow(context, PeriodListings::costDetail(), parent)
{
}

TfrmRep_Overdue::TfrmRep_Overdue(WorkContext& context, QWidget* parent)
    : ReportWindow(context, PeriodListings::overdue(), parent)
{
}
