#pragma once

#include "billing/YearOverview.h"
#include "ui/WorkingWindow.h"

#include <optional>

class QChart;
class QChartView;

// The budget year at a glance: billed and collected month by month with the
// collection rate, what is owed today by age, the ten shops that owe most
// and the year's totals, all from YearOverview's one routine; the same
// picture printed on one A4 landscape page.
class TfrmYear_Overview : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmYear_Overview(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnSelectClick();
    // The year's page in the preview, to print or save as a PDF.
    void btnPrintClick();
    // The overdue listing of the shop double-clicked among those owing most.
    void StringGrid1DblClick();
    void btnExitClick();

    // The figures shown; none before the first display.
    const std::optional<YearOverview::Figures>& figures() const { return figures_; }

private:
    void buildPanel();
    void showFigures();
    void showMonths(const YearOverview::Figures& f);
    void showAges(const YearOverview::Figures& f);

    std::optional<YearOverview::Figures> figures_;
    QFrame* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* edtBudget_Year = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnExit = nullptr;
    QChartView* chtMonths = nullptr;
    QChartView* chtAges = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QLabel* lblBilled = nullptr;
    QLabel* lblCollected = nullptr;
    QLabel* lblOwed = nullptr;
    QLabel* lblRate = nullptr;
};
