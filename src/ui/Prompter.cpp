#include "ui/Prompter.h"

#include "data/DbError.h"

#include <QFileDialog>
#include <QMessageBox>

void Prompter::showFailure(QWidget* parent, const std::exception& failure)
{
    if (const auto* e = dynamic_cast<const DbError*>(&failure)) {
        if (e->kind() == DbError::Kind::InvalidText || e->kind() == DbError::Kind::ConnectionLost)
            showMessage(parent, e->text());
        else
            showError(parent, e->text());
        return;
    }
    const QString text = QString::fromUtf8(failure.what()).trimmed();
    showError(parent, text.isEmpty() ? QStringLiteral("เกิดข้อผิดพลาดที่ไม่ทราบสาเหตุ") : text);
}

void MessageBoxPrompter::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("CostDesk"), text, QMessageBox::Ok);
}

void MessageBoxPrompter::showWarning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("CostDesk"), text, QMessageBox::Ok);
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

QString MessageBoxPrompter::askSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                                            const QString& filter)
{
    // Qt's own dialog: the Thai texts installed for Qt reach it, a desktop's
    // native one would stay in English.
    return QFileDialog::getSaveFileName(parent, caption, suggestedName, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString MessageBoxPrompter::askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                            const QString& filter)
{
    // Qt's own dialog, in Thai, as for saving.
    return QFileDialog::getOpenFileName(parent, caption, folder, filter, nullptr, QFileDialog::DontUseNativeDialog);
}
