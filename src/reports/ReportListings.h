#pragma once

#include "reports/ReportWindow.h"

class QButtonGroup;
class QComboBox;
class QRadioButton;

// Every invoice due in the range with its status word and the grand total.
class TfrmRep_Cost_Month : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRep_Cost_Month(WorkContext& context, QWidget* parent = nullptr);

protected:
    QStringList headers() const override;
    QList<int> widths() const override;
    QVector<QStringList> listRows(const QString& from, const QString& to) override;
    ReportSheetOptions sheetOptions(const QString& begin, const QString& end) const override;
};

// The invoices paid in at the bank in the range, with the grand total.
class TfrmRepPay_in_Bank : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRepPay_in_Bank(WorkContext& context, QWidget* parent = nullptr);

protected:
    QStringList headers() const override;
    QList<int> widths() const override;
    QVector<QStringList> listRows(const QString& from, const QString& to) override;
    ReportSheetOptions sheetOptions(const QString& begin, const QString& end) const override;
};

// The invoice lines of the invoices due in the range, by cost type, with a
// subtotal per cost type and the grand total; one cost type or all, paid,
// unpaid or all invoices.
class TfrmRep_Cost_Detail : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmRep_Cost_Detail(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void RadioButton1Click();
    void RadioButton2Click();

protected:
    QStringList headers() const override;
    QList<int> widths() const override;
    QVector<QStringList> listRows(const QString& from, const QString& to) override;
    ReportSheetOptions sheetOptions(const QString& begin, const QString& end) const override;

private:
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QComboBox* cmbCost_Code = nullptr;
    QButtonGroup* RadioGroup1 = nullptr;
};
