// The monthly run window's widgets; the handlers are in
// UMonthly_Run.cpp.
#include "invoicing/UMonthly_Run.h"

#include "ui/Appearance.h"
#include "ui/DateMaskEdit.h"
#include "ui/EnterMovesFocus.h"
#include "ui/MonthMaskEdit.h"
#include "ui/StringGrid.h"

#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

void TfrmMonthly_Run::buildPanel()
{
    QFrame* panel = newPanel(QStringLiteral("Panel1"));
    QLabel* title = newTitle(panel, QStringLiteral("ออกใบแจ้งหนี้ประจำเดือน"));
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setStyleSheet(QStringLiteral("color: purple;"));

    auto* run = new QGroupBox(QStringLiteral("1. เดือนที่จะออกใบแจ้งหนี้"), panel);
    edtMonth = new MonthMaskEdit(run);
    edtMonth->setObjectName(QStringLiteral("edtMonth"));
    edtMonth->setMaximumWidth(Appearance::scaled(70));
    edtDue_Date = new DateMaskEdit(run);
    edtDue_Date->setObjectName(QStringLiteral("edtDue_Date"));
    edtDue_Date->setMaximumWidth(Appearance::scaled(90));
    btnPreview = newButton(run, QStringLiteral("btnPreview"), QStringLiteral("แสดงรายการ"));
    auto* dueLabel = newLabel(run, QStringLiteral("กำหนดชำระเงินภายในวันที่"));
    dueLabel->setStyleSheet(QStringLiteral("color: red;"));
    auto* runLayout = new QHBoxLayout(run);
    runLayout->addWidget(newLabel(run, QStringLiteral("ประจำเดือน (ดด/ปปปป)")));
    runLayout->addWidget(edtMonth);
    runLayout->addSpacing(Appearance::scaled(16));
    runLayout->addWidget(dueLabel);
    runLayout->addWidget(edtDue_Date);
    runLayout->addSpacing(Appearance::scaled(16));
    runLayout->addWidget(btnPreview);
    runLayout->addStretch();

    auto* results = new QGroupBox(QStringLiteral("2. ใบแจ้งหนี้ของเดือน"), panel);
    StringGrid1 = new StringGrid(results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(StringGrid1);

    lblSummary = newLabel(panel, QString());
    lblSummary->setObjectName(QStringLiteral("lblSummary"));
    lblUnknown = newLabel(panel, QString());
    lblUnknown->setObjectName(QStringLiteral("lblUnknown"));
    lblUnknown->setStyleSheet(QStringLiteral("color: #aa0000;"));
    lblUnknown->setWordWrap(true);
    btnIssue = newButton(panel, QStringLiteral("btnIssue"), QStringLiteral("ออกใบแจ้งหนี้"));
    btnPrint_All = newButton(panel, QStringLiteral("btnPrint_All"), QStringLiteral("พิมพ์ทั้งหมด"));
    btnExit = newButton(panel, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    // The captions with room on either side, as the other windows' buttons.
    for (QPushButton* button : {btnPreview, btnIssue, btnPrint_All, btnExit})
        button->setMinimumWidth(button->sizeHint().width() + Appearance::scaled(16));
    auto* counts = new QVBoxLayout;
    counts->addWidget(lblSummary);
    counts->addWidget(lblUnknown);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(counts, 1);
    bottom->addWidget(btnIssue);
    bottom->addWidget(btnPrint_All);
    bottom->addWidget(btnExit);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(title);
    layout->addWidget(run);
    layout->addWidget(results, 1);
    layout->addLayout(bottom);
    stackPanels({panel});

    // Enter walks month → due date → preview, as Tab does.
    setTabOrder(edtMonth, edtDue_Date);
    setTabOrder(edtDue_Date, btnPreview);
    EnterMovesFocus::install(this, {edtMonth, edtDue_Date});
}
