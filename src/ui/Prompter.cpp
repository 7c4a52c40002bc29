#include "ui/Prompter.h"

#include <QMessageBox>

void MessageBoxPrompter::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("CostDesk"), text, QMessageBox::Ok);
}

bool MessageBoxPrompter::confirm(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QStringLiteral("ยืนยัน"), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
        == QMessageBox::Ok;
}

void MessageBoxPrompter::showError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QStringLiteral("ข้อผิดพลาด"), text, QMessageBox::Ok);
}

bool MessageBoxPrompter::askYesNo(QWidget* parent, const QString& text)
{
    // No is the default: a stray Enter keeps what is on screen.
    return QMessageBox::question(parent, QStringLiteral("ยืนยัน"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}
