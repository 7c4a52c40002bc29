#include "ui/RegisterWindow.h"

#include "ui/Appearance.h"
#include "ui/StringGrid.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

RegisterWindow::RegisterWindow(WorkContext& context, const QString& caption, const Texts& texts, QWidget* parent)
    : WorkingWindow(context, caption, parent), texts_(texts)
{
}

void RegisterWindow::buildHomeAndSearchPanels()
{
    Panel1 = newPanel(QStringLiteral("Panel1"));
    btnAdd_Data = newButton(Panel1, QStringLiteral("btnAdd_Data"), QStringLiteral("เพิ่มข้อมูล"));
    btnEdit_Data = newButton(Panel1, QStringLiteral("btnEdit_Data"), QStringLiteral("แก้ไขข้อมูล"));
    btnExit1 = newButton(Panel1, QStringLiteral("btnExit1"), QStringLiteral("กลับสู่เมนูหลัก"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {btnAdd_Data, btnEdit_Data, btnExit1}) {
        b->setMinimumSize(Appearance::scaled(220), Appearance::scaled(40));
        buttons->addWidget(b, 0, Qt::AlignHCenter);
    }
    auto* home = new QVBoxLayout(Panel1);
    home->addWidget(newPanelTitle(Panel1));
    home->addStretch(1);
    home->addLayout(buttons);
    home->addStretch(2);

    Panel2 = newPanel(QStringLiteral("Panel2"));
    const SearchGroup search = newSearchGroup(Panel2, texts_.first, texts_.second,
                                              {.leaveButton = QStringLiteral("btnExit2"), .leaveCaption = QStringLiteral("ออก")});
    search.assignTo(RadioButton1, firstSearch_, RadioButton2, secondSearch_, btnSearch2, btnExit2);
    QGroupBox* results = newResultGroup(Panel2, StringGrid1);
    btnEdit2 = newButton(Panel2, QStringLiteral("btnEdit2"), QStringLiteral("3. แก้ไขข้อมูล"));
    auto* layout = new QVBoxLayout(Panel2);
    layout->addWidget(newPanelTitle(Panel2));
    layout->addWidget(search.group);
    layout->addWidget(results, 1);
    layout->addWidget(btnEdit2, 0, Qt::AlignLeft);
}

void RegisterWindow::finishPanels()
{
    // In this order, the entry panel covers the search panel, and the search
    // panel the home panel.
    stackPanels({Panel1, Panel2, Panel3});
    onClick(RadioButton1, &RegisterWindow::RadioButton1Click);
    onClick(RadioButton2, &RegisterWindow::RadioButton2Click);
    onClick(btnAdd_Data, &RegisterWindow::btnAdd_DataClick);
    onClick(btnEdit_Data, &RegisterWindow::btnEdit_DataClick);
    onClick(btnExit1, &RegisterWindow::btnExit1Click);
    onClick(btnSearch2, &RegisterWindow::btnSearch2Click);
    onClick(btnExit2, &RegisterWindow::btnExit2Click);
    onClick(btnEdit2, &RegisterWindow::btnEdit2Click);
    onClick(btnSave3, &RegisterWindow::btnSave3Click);
    onClick(btnCancel3, &RegisterWindow::btnCancel3Click);
    resetResults();
}

void RegisterWindow::FormCreate()
{
    Panel2->hide();
    Panel3->hide();
    RadioButton1->setChecked(true);
    enableSearchPair(firstSearch_, secondSearch_);
}

void RegisterWindow::RadioButton1Click()
{
    enableSearchPair(firstSearch_, secondSearch_);
}

void RegisterWindow::RadioButton2Click()
{
    enableSearchPair(secondSearch_, firstSearch_);
}

void RegisterWindow::btnAdd_DataClick()
{
    mode_ = AddMode;
    startNewEntry();
    Panel3->show();
}

void RegisterWindow::btnEdit_DataClick()
{
    mode_ = EditMode;
    Panel2->show();
    resetResults();
    firstSearch_->clear();
    secondSearch_->clear();
}

void RegisterWindow::btnCancel3Click()
{
    Panel3->hide();
}

void RegisterWindow::btnExit2Click()
{
    Panel2->hide();
}

void RegisterWindow::btnExit1Click()
{
    returnToMainMenu();
}
