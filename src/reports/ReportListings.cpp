#include "reports/ReportListings.h"

#include "data/CostTypes.h"
#include "billing/ReportRows.h"
#include "ui/StringGrid.h"
#include "util/Utility.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

// ------------------------------------------------------------- due dates

TfrmRep_Cost_Month::TfrmRep_Cost_Month(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRep_Cost_Month"), QStringLiteral("รายงานใบแจ้งการชำระเงิน"),
                    QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"), QStringLiteral("รายงานใบแจ้งการชำระเงิน")},
                   parent)
{
    finishCreation();
}

QStringList TfrmRep_Cost_Month::headers() const
{
    return ReportRows::dueDateHeaders();
}

QList<int> TfrmRep_Cost_Month::widths() const
{
    return ReportRows::dueDateWidths();
}

ReportSheetOptions TfrmRep_Cost_Month::sheetOptions(const QString& begin, const QString& end) const
{
    return InvoiceListingSheetOptions(begin, end);
}

QVector<QStringList> TfrmRep_Cost_Month::listRows(const QString& from, const QString& to)
{
    return ReportRows::dueDate(context().db, from, to);
}

// --------------------------------------------------------- bank pay-ins

TfrmRepPay_in_Bank::TfrmRepPay_in_Bank(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRepPay_in_Bank"), QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า"),
                    QStringLiteral("วันที่ชำระเงินตั้งแต่วันที่"),
                    QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้า")},
                   parent)
{
    finishCreation();
}

QStringList TfrmRepPay_in_Bank::headers() const
{
    return ReportRows::payInHeaders();
}

QList<int> TfrmRepPay_in_Bank::widths() const
{
    return ReportRows::payInWidths();
}

ReportSheetOptions TfrmRepPay_in_Bank::sheetOptions(const QString& begin, const QString& end) const
{
    return PayInListingSheetOptions(begin, end);
}

QVector<QStringList> TfrmRepPay_in_Bank::listRows(const QString& from, const QString& to)
{
    return ReportRows::payIn(context().db, from, to);
}

// ------------------------------------------------------ cost type detail

TfrmRep_Cost_Detail::TfrmRep_Cost_Detail(WorkContext& context, QWidget* parent)
    : ReportWindow(context,
                   {QStringLiteral("frmRep_Cost_Detail"), QStringLiteral("รายงานรายละเอียดการชำระเงินแยกตามประเภทค่าใช้จ่าย"),
                    QStringLiteral("วันที่ต้องชำระตั้งแต่วันที่"),
                    QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด")},
                   parent)
{
    auto* costTypes = new QGroupBox(QStringLiteral("ประเภทค่าใช้จ่าย"), this);
    RadioButton1 = newRadio(costTypes, QStringLiteral("RadioButton1"), QStringLiteral("ทั้งหมด"));
    RadioButton2 = newRadio(costTypes, QStringLiteral("RadioButton2"), QStringLiteral("เฉพาะ"));
    cmbCost_Code = newCombo(costTypes, QStringLiteral("cmbCost_Code"), 0);
    auto* costLayout = new QHBoxLayout(costTypes);
    costLayout->addWidget(RadioButton1);
    costLayout->addWidget(RadioButton2);
    costLayout->addWidget(cmbCost_Code, 1);

    auto* paidBox = new QGroupBox(this);
    paidBox->setObjectName(QStringLiteral("RadioGroup1"));
    RadioGroup1 = new QButtonGroup(paidBox);
    auto* paidLayout = new QGridLayout(paidBox);
    const QStringList paidItems = {QStringLiteral("ทั้งหมด"), QStringLiteral("ชำระเงิน"), QStringLiteral("ยังไม่ชำระเงิน")};
    for (int i = 0; i < paidItems.size(); ++i) {
        QRadioButton* item = newRadio(paidBox, QStringLiteral("RadioGroup1Item%1").arg(i), paidItems.at(i));
        RadioGroup1->addButton(item, i);
        paidLayout->addWidget(item, 0, i);  // three columns
    }
    auto* row = new QHBoxLayout;
    row->addWidget(costTypes, 2);
    row->addWidget(paidBox, 1);
    choices()->addLayout(row);

    onClick(RadioButton1, &TfrmRep_Cost_Detail::RadioButton1Click);
    onClick(RadioButton2, &TfrmRep_Cost_Detail::RadioButton2Click);
    guarded([this] { FormCreate(); });
}

void TfrmRep_Cost_Detail::FormCreate()
{
    RadioGroup1->button(0)->setChecked(true);
    ReportWindow::FormCreate();
    const QList<CostType> types = CostTypeTable::listByCode(context().db);
    for (const CostType& t : types)
        cmbCost_Code->addItem(t.code + QStringLiteral("  ") + t.name);
    cmbCost_Code->setEditText(types.isEmpty() ? QString() : types.first().code + QStringLiteral("  ") + types.first().name);
    RadioButton1->setChecked(true);
    cmbCost_Code->setEnabled(false);
}

void TfrmRep_Cost_Detail::RadioButton1Click()
{
    cmbCost_Code->setEnabled(false);
}

void TfrmRep_Cost_Detail::RadioButton2Click()
{
    cmbCost_Code->setEnabled(true);
}

QStringList TfrmRep_Cost_Detail::headers() const
{
    return ReportRows::costDetailHeaders();
}

QList<int> TfrmRep_Cost_Detail::widths() const
{
    return ReportRows::costDetailWidths();
}

ReportSheetOptions TfrmRep_Cost_Detail::sheetOptions(const QString& begin, const QString& end) const
{
    return CostDetailSheetOptions(begin, end);
}

QVector<QStringList> TfrmRep_Cost_Detail::listRows(const QString& from, const QString& to)
{
    const auto paid = static_cast<ReportQueries::PaidFilter>(std::max(RadioGroup1->checkedId(), 0));
    std::optional<QString> only;
    if (RadioButton2->isChecked())
        only = ReportRows::CostCodeOfEntry(cmbCost_Code->currentText());
    return ReportRows::costDetail(context().db, from, to, paid, only);
}
