#include "app/UCostDesk.h"

#include "invoicing/UCost_Entry.h"
#include "invoicing/UEntry_Invoice_No.h"
#include "invoicing/UEntry_RV_No.h"
#include "invoicing/URe_Print_Invoice.h"
#include "reference/UCost_Type.h"
#include "reports/ReportListings.h"
#include "reports/UPrint_User.h"
#include "reference/UTR_Cafeteria.h"
#include "reference/UTR_Fix_Cost_Type.h"

// The one place where menu items meet the windows they open. A menu item
// without an entry here stays in the menu and opens nothing.
void TfrmCostDesk::registerWindows()
{
    windows_.insert(QStringLiteral("N7"), [](WorkContext& c) { return new TfrmTR_Cafeteria(c); });
    windows_.insert(QStringLiteral("N8"), [](WorkContext& c) { return new TfrmCost_Type(c); });
    windows_.insert(QStringLiteral("N9"), [](WorkContext& c) { return new TfrmTR_Fix_Cost_Type(c); });
    windows_.insert(QStringLiteral("N6"), [](WorkContext& c) { return new TfmrCost_Entry(c); });
    windows_.insert(QStringLiteral("N12"), [](WorkContext& c) { return new TfrmEntry_Invoice_No(c); });
    windows_.insert(QStringLiteral("N31"), [](WorkContext& c) { return new TfrmEntry_RV_No(c); });
    windows_.insert(QStringLiteral("N11Invoice1"), [](WorkContext& c) { return new TfrmRe_Print_Invoice(c); });
    windows_.insert(QStringLiteral("N11"), [](WorkContext& c) { return new TfrmRep_Cost_Month(c); });
    windows_.insert(QStringLiteral("N13"), [](WorkContext& c) { return new TfrmRepPay_in_Bank(c); });
    windows_.insert(QStringLiteral("N16"), [](WorkContext& c) { return new TfrmRep_Cost_Detail(c); });
    windows_.insert(QStringLiteral("Account1"), [](WorkContext& c) { return new TfrmPrint_User(c); });
}
