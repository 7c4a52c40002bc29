#include "app/WindowRegistry.h"

#include "core/Rights.h"

#include "invoicing/UCost_Entry.h"
#include "invoicing/UEntry_Invoice_No.h"
#include "invoicing/UEntry_RV_No.h"
#include "invoicing/UImport_Bank_Payment.h"
#include "invoicing/UMonthly_Run.h"
#include "invoicing/URe_Print_Invoice.h"
#include "reference/UCost_Type.h"
#include "reference/ULocations.h"
#include "reference/UTR_Cafeteria.h"
#include "reference/UTR_Fix_Cost_Type.h"
#include "reference/UUser_Accounts.h"
#include "reports/ReportListings.h"
#include "reports/UAudit_History.h"
#include "reports/UPrint_User.h"
#include "reports/UYear_Overview.h"

namespace {

using Rights::kAdministrator;
using Rights::kBilling;
using Rights::kEveryLevel;
using Rights::kRemittance;

MenuRow topMenu(const char* name, const QString& caption, const QList<int>& levels)
{
    return {MenuRow::Kind::Menu, QLatin1String(name), caption, QString(), levels, {}};
}

template <class Window>
MenuRow window(const char* name, const QString& caption, const char* parent, const QList<int>& levels,
               const QString& heading = QString())
{
    return {MenuRow::Kind::Window, QLatin1String(name), caption, QLatin1String(parent), levels,
            [](WorkContext& context) -> WorkingWindow* { return new Window(context); }, heading};
}

MenuRow separator(const char* name, const char* parent)
{
    return {MenuRow::Kind::Separator, QLatin1String(name), QString(), QLatin1String(parent), {}, {}};
}

MenuRow windowList(const char* name, const QString& caption)
{
    return {MenuRow::Kind::WindowList, QLatin1String(name), caption, QString(), {}, {}};
}

MenuRow exitItem(const char* name, const QString& caption, const QList<int>& levels)
{
    return {MenuRow::Kind::Exit, QLatin1String(name), caption, QString(), levels, {}};
}

} // namespace

QString WindowRegistry::guidePart(const QString& menuItemName)
{
    static const QHash<QString, QString> parts = {
        {"N7", "shops"},          {"N8", "cost-types"},       {"N9", "fixed-costs"},
        {"N6", "cost-entry"},     {"N11Invoice1", "reprint"}, {"N6Monthly_Run", "monthly-run"},
        {"N12", "payment-date"},  {"N12Bank_File", "bank-import"}, {"N31", "remittance"},
        {"N11", "listings"},      {"N13", "listings"},        {"N16", "listings"},
        {"N17Overdue", "overdue"}, {"YearOverview", "year-overview"},
        {"Account1", "accounts"}, {"AccountManage", "accounts"}, {"Locations", "locations"},
        {"AuditHistory", "audit-history"},
    };
    return parts.value(menuItemName, QStringLiteral("index"));
}

const QList<MenuRow>& WindowRegistry::menu()
{
    static const QList<MenuRow> rows = {
        topMenu("N1", QStringLiteral("ข้อมูลอ้างอิง"), kEveryLevel),
        window<TfrmTR_Cafeteria>("N7", QStringLiteral("ข้อมูลร้านค้า"), "N1", kEveryLevel),
        window<TfrmCost_Type>("N8", QStringLiteral("ประเภทค่าใช้จ่าย"), "N1", kEveryLevel),
        separator("N10", "N1"),
        window<TfrmTR_Fix_Cost_Type>("N9", QStringLiteral("ค่าใช้จ่ายคงที่รายเดือน"), "N1", kEveryLevel),

        topMenu("N2", QStringLiteral("บันทึกข้อมูล"), kEveryLevel),
        // The window has no title of its own.
        window<TfmrCost_Entry>("N6", QStringLiteral("1. บันทึกค่าใช้จ่ายร้ายค้า(ทำใบ Invoice)"), "N2", kBilling,
                               QStringLiteral("บันทึกค่าใช้จ่ายร้านค้า")),
        window<TfrmRe_Print_Invoice>("N11Invoice1", QStringLiteral("       1.1 พิมพ์ใบ Invoice ใหม่"), "N2", kBilling),
        window<TfrmMonthly_Run>("N6Monthly_Run", QStringLiteral("       1.2 ออกใบแจ้งหนี้ประจำเดือน"), "N2", kBilling),
        // Its large title only labels the invoice number being paid.
        window<TfrmEntry_Invoice_No>("N12", QStringLiteral("2. บันทึกวันที่ชำระเงิน"), "N2", kBilling,
                                     QStringLiteral("บันทึกวันที่ชำระเงิน")),
        window<TfrmImport_Bank_Payment>("N12Bank_File", QStringLiteral("       2.1 นำเข้าไฟล์ชำระเงินจากธนาคาร"), "N2",
                                        kBilling),
        separator("N14", "N2"),
        window<TfrmEntry_RV_No>("N31", QStringLiteral("3. บันทึกเลขที่ใบนำส่ง"), "N2", kRemittance),

        topMenu("N3", QStringLiteral("สอบถาม/รายงาน"), kEveryLevel),
        window<TfrmRep_Cost_Month>("N11", QStringLiteral("รายงานใบแจ้งการชำระเงิน"), "N3", kEveryLevel),
        window<TfrmRepPay_in_Bank>("N13", QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"), "N3",
                                   kEveryLevel),
        separator("N15", "N3"),
        window<TfrmRep_Cost_Detail>("N16", QStringLiteral("รายงานรายละเอียดแยกตามประเภทค่าใช้จ่าย"), "N3", kEveryLevel),
        window<TfrmRep_Overdue>("N17Overdue", QStringLiteral("รายงานใบแจ้งหนี้ค้างชำระ"), "N3", kEveryLevel),
        window<TfrmYear_Overview>("YearOverview", QStringLiteral("ภาพรวมปีงบประมาณ"), "N3", kEveryLevel),

        windowList("mnuWindow", QStringLiteral("หน้าต่าง")),

        topMenu("N4", QStringLiteral("ผู้ดูแลระบบ"), kAdministrator),
        window<TfrmPrint_User>("Account1", QStringLiteral("พิมพ์ Account ผู้ใช้ระบบ"), "N4", kAdministrator),
        window<TfrmUser_Accounts>("AccountManage", QStringLiteral("จัดการผู้ใช้ระบบ"), "N4", kAdministrator),
        window<TfrmLocations>("Locations", QStringLiteral("สถานที่"), "N4", kAdministrator),
        window<TfrmAudit_History>("AuditHistory", QStringLiteral("ประวัติการแก้ไขข้อมูล"), "N4", kAdministrator),

        exitItem("N5", QStringLiteral("ออกจากโปรแกรม"), kEveryLevel),
    };
    return rows;
}
