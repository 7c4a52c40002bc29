#include "reports/ReportWindow.h"

#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/StringGrid.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ReportWindow::ReportWindow(WorkContext& context, const Texts& texts, QWidget* parent)
    : WorkingWindow(context, texts.caption, parent), texts_(texts)
{
    QFrame* panel = newPanel(QStringLiteral("Panel1"));
    Label3 = newTitle(panel, texts.heading);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setStyleSheet(QStringLiteral("color: purple;"));

    auto* chooser = new QGroupBox(QStringLiteral("เลือก"), panel);
    edtBeg_date = new DateMaskEdit(chooser);
    edtBeg_date->setObjectName(QStringLiteral("edtBeg_date"));
    edtEnd_date = new DateMaskEdit(chooser);
    edtEnd_date->setObjectName(QStringLiteral("edtEnd_date"));
    for (DateMaskEdit* date : {edtBeg_date, edtEnd_date})
        date->setMaximumWidth(Appearance::scaled(90));
    btnSelect = newButton(chooser, QStringLiteral("btnSelect"), QStringLiteral("แสดงผล"));
    btnExit = newButton(chooser, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    auto* range = new QHBoxLayout;
    range->addWidget(newLabel(chooser, texts.rangeLabel));
    range->addWidget(edtBeg_date);
    range->addWidget(newLabel(chooser, QStringLiteral("ถึง")));
    range->addWidget(edtEnd_date);
    range->addWidget(btnSelect);
    range->addStretch();
    range->addWidget(btnExit);
    choices_ = new QVBoxLayout(chooser);
    choices_->addLayout(range);

    auto* results = new QGroupBox(QStringLiteral("ผลที่ได้"), panel);
    StringGrid1 = new StringGrid(results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(StringGrid1);
    BitBtn1 = newButton(panel, QStringLiteral("BitBtn1"), QStringLiteral("พิมพ์ออกทาง MS Excel"));

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(Label3);
    layout->addWidget(chooser);
    layout->addWidget(results, 1);
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportRow->addWidget(BitBtn1);
    layout->addLayout(exportRow);
    stackPanels({panel});

    // Enter in a date moves on as Tab does: to the end of the range, then to
    // "แสดงผล".
    EnterMovesFocus::install(this, {edtBeg_date, edtEnd_date});

    onClick(btnSelect, &ReportWindow::btnSelectClick);
    onClick(BitBtn1, &ReportWindow::BitBtn1Click);
    onClick(btnExit, &ReportWindow::btnExitClick);
}

void ReportWindow::finishCreation()
{
    guarded([this] { FormCreate(); });
}

void ReportWindow::FormCreate()
{
    const DateRange month = MonthRangeOf(context().startup.currentDate);
    edtBeg_date->setMaskedText(month.first);
    edtEnd_date->setMaskedText(month.last);
}

void ReportWindow::btnSelectClick()
{
    // The range is compared as yyyymmdd text: an impossible day or a
    // Christian-era year would quietly select the wrong invoices or none.
    const QString fromDate = edtBeg_date->maskedText();
    const QString toDate = edtEnd_date->maskedText();
    if (!IsCalendarDate(fromDate) || !IsCalendarDate(toDate)) {
        message(QStringLiteral("กรุณาใส่วันที่ให้ถูกต้อง"));
        (IsCalendarDate(fromDate) ? edtEnd_date : edtBeg_date)->setFocus();
        return;
    }
    const QString from = DisplayToSortDate(fromDate);
    const QString to = DisplayToSortDate(toDate);
    QList<int> columnWidths = widths();
    for (int& w : columnWidths)
        if (w == 0)
            w = 64;  // the grid's default width
    // The columns the sheet writes as amounts stand at the right on screen too.
    for (int column : sheetOptions(QString(), QString()).numberFormatColumns)
        StringGrid1->setAmountColumn(column);
    StringGrid1->resetGrid(headers(), columnWidths);
    QVector<QStringList> rows = listRows(from, to);
    if (rows.isEmpty()) {
        message(QStringLiteral("ไม่มีข้อมูลที่ต้องการ"));
        return;
    }
    // Handed over, not shared: a shared list would be copied whole when the
    // grid pads its rows.
    StringGrid1->setDataRows(std::move(rows));
}

void ReportWindow::btnExitClick()
{
    returnToMainMenu();
}
