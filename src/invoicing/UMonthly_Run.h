#pragma once

#include "billing/MonthlyRun.h"
#include "ui/WorkingWindow.h"

#include <QLineEdit>
#include <QStringList>
#include <optional>

class MonthMaskEdit;

// Issues a month's invoices from the shops' fixed monthly costs: the month
// and due date, a preview of every shop's parts with what the month already
// issued, the issue part by part with a progress that can be stopped between
// invoices, and the month's invoices previewed together, a page each. The
// same routines as costdesk-admin issue-monthly and print-invoices.
class TfrmMonthly_Run : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmMonthly_Run(WorkContext& context, QWidget* parent = nullptr);
    ~TfrmMonthly_Run() override;

    void FormCreate();
    void edtMonthExit();
    void btnPreviewClick();
    void btnIssueClick();
    void btnPrint_AllClick();
    void btnExitClick();

private:
    void buildPanel();
    // The month and due date as typed, after telling the clerk what is wrong
    // with them (the focus then goes back to the field); empty when wrong.
    std::optional<std::pair<QString, QString>> typedRun();
    // Reads the month anew from the tables and shows it.
    void prepare(const QString& month, const QString& dueDate);
    // The grid, the counts and the buttons for plan_ as this window knows it.
    void showPlan();
    // The month's invoices to print: those issued from this window for the
    // month shown, else every invoice the month has issued.
    QStringList numbersToPrint() const;

    std::optional<MonthlyRun::Plan> plan_;
    // Issued from this window, in order, for issuedMonth_.
    QStringList issuedNow_;
    QString issuedMonth_;
    // The due date proposed for the month in the field, followed while the
    // clerk leaves it as proposed.
    QString proposedDue_;

    MonthMaskEdit* edtMonth = nullptr;
    DateMaskEdit* edtDue_Date = nullptr;
    QPushButton* btnPreview = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QLabel* lblSummary = nullptr;
    QLabel* lblUnknown = nullptr;
    QPushButton* btnIssue = nullptr;
    QPushButton* btnPrint_All = nullptr;
    QPushButton* btnExit = nullptr;
};
