#include "invoicing/UImport_Bank_Payment.h"

#include "billing/ListingSheet.h"
#include "core/Numbers.h"
#include "core/StartupValues.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "print/DocumentSettings.h"
#include "reports/ListingGrid.h"
#include "ui/Appearance.h"
#include "ui/BackgroundWork.h"
#include "ui/Prompter.h"
#include "ui/SheetExport.h"
#include "ui/StringGrid.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("frmImport_Bank_Payment");
const QString kChooseCaption = QStringLiteral("เลือกไฟล์ชำระเงินจากธนาคาร");
// Banks name the file .txt, some in capitals; anything else is offered too.
const QString kFileFilter = QStringLiteral("ไฟล์ข้อความ (*.txt *.TXT);;ทุกไฟล์ (*)");
const QString kConfirmSave = QStringLiteral("บันทึกการชำระเงิน %1 รายการ รวม %2 บาท ใช่หรือไม่");
const QString kMatched = QStringLiteral("ตรงกัน %1 รายการ รวม %2 บาท");
const QString kOther = QStringLiteral("ไม่ตรง %1 รายการ รวม %2 บาท");
const BackgroundWork::Dialog kReading{QStringLiteral("progressRead"),
                                      QStringLiteral("กำลังอ่านไฟล์และตรวจกับใบแจ้งหนี้ ...")};
// One transaction: once begun it is recorded whole or not at all.
const BackgroundWork::Dialog kRecording{QStringLiteral("progressRecord"), QStringLiteral("กำลังบันทึกการชำระเงิน ..."),
                                        {}, 0, false};

} // namespace

TfrmImport_Bank_Payment::TfrmImport_Bank_Payment(WorkContext& context, QWidget* parent)
    : WorkingWindow(context, kCaption, parent)
{
    setObjectName(kCaption);
    buildPanel();
    onClick(btnChoose_File, &TfrmImport_Bank_Payment::btnChoose_FileClick);
    onClick(btnSave, &TfrmImport_Bank_Payment::btnSaveClick);
    onClick(btnExport, &TfrmImport_Bank_Payment::btnExportClick);
    onClick(btnExit, &TfrmImport_Bank_Payment::btnExitClick);
    guarded([this] { FormCreate(); });
}

void TfrmImport_Bank_Payment::buildPanel()
{
    QFrame* panel = newPanel(QStringLiteral("Panel1"));
    QLabel* title = newTitle(panel, PaymentImport::PreviewListing().heading);
    title->setObjectName(QStringLiteral("lblTitle"));
    title->setStyleSheet(QStringLiteral("color: purple;"));

    auto* file = new QGroupBox(QStringLiteral("1. ไฟล์จากธนาคาร"), panel);
    btnChoose_File = newButton(file, QStringLiteral("btnChoose_File"), QStringLiteral("เลือกไฟล์..."));
    edtFile_Name = newEdit(file, QStringLiteral("edtFile_Name"), 0);
    edtFile_Name->setReadOnly(true);
    auto* fileLayout = new QHBoxLayout(file);
    fileLayout->addWidget(btnChoose_File);
    fileLayout->addWidget(edtFile_Name, 1);

    auto* results = new QGroupBox(QStringLiteral("2. รายการในไฟล์"), panel);
    StringGrid1 = new StringGrid(results);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(StringGrid1);

    lblMatched = newLabel(panel, QString());
    lblMatched->setObjectName(QStringLiteral("lblMatched"));
    Appearance::setTextColour(lblMatched, QColor(0, 110, 0));
    lblOther = newLabel(panel, QString());
    lblOther->setObjectName(QStringLiteral("lblOther"));
    Appearance::setTextColour(lblOther, QColor(170, 0, 0));
    btnSave = newButton(panel, QStringLiteral("btnSave"), QStringLiteral("บันทึก"));
    btnExport = newButton(panel, QStringLiteral("btnExport"), QStringLiteral("ส่งออก Excel"));
    btnExit = newButton(panel, QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"));
    auto* counts = new QVBoxLayout;
    counts->addWidget(lblMatched);
    counts->addWidget(lblOther);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(counts);
    bottom->addStretch();
    bottom->addWidget(btnSave);
    bottom->addWidget(btnExport);
    bottom->addWidget(btnExit);

    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(title);
    layout->addWidget(file);
    layout->addWidget(results, 1);
    layout->addLayout(bottom);
    stackPanels({panel});
}

void TfrmImport_Bank_Payment::FormCreate()
{
    // Bank files are mostly downloaded from the bank's web site; without a
    // downloads folder the dialog would offer its name as the file's.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    folder_ = QFileInfo(downloads).isDir() ? downloads : QDir::homePath();
    preview_.reset();
    showPreview();
    btnChoose_File->setFocus();
}

void TfrmImport_Bank_Payment::showPreview()
{
    const ListingDescription& listing = PaymentImport::PreviewListing();
    ListingGrid::SetColumns(StringGrid1, listing);

    const bool readable = preview_ && preview_->ok();
    rows_ = readable ? std::make_shared<const ListingRows>(PaymentImport::PreviewRows(*preview_)) : nullptr;
    if (rows_)
        StringGrid1->setDataRows(ListingGrid::ShownRows(*rows_));
    lblMatched->setText(readable ? kMatched.arg(preview_->matchedCount()).arg(FormatAmount(preview_->matchedTotal()))
                                 : QString());
    lblOther->setText(readable ? kOther.arg(preview_->otherCount()).arg(FormatAmount(preview_->otherTotal()))
                               : QString());
    // A file recorded once is never recorded again, from here or elsewhere.
    btnSave->setEnabled(readable && !preview_->importedBefore && preview_->matchedCount() > 0);
    btnExport->setEnabled(readable);
}

void TfrmImport_Bank_Payment::btnChoose_FileClick()
{
    const QString path = context().prompter.askOpenFileName(this, kChooseCaption, folder_, kFileFilter);
    if (path.isEmpty())
        return;
    // The same biller ID as the invoices print in their codes: a payment to
    // another biller is not this office's.
    const QString billerId = context().texts.billerId;
    PaymentImport::Preview preview =
        BackgroundWork::Run(this, context().db, kReading, [&](Database& db, const BackgroundWork::Progress& progress) {
            return PaymentImport::PrepareFile(db, path, billerId, progress);
        });
    // Stopped before it was read through: the window stays as it was.
    if (preview.stopped)
        return;
    folder_ = QFileInfo(path).absolutePath();
    edtFile_Name->setText(path);
    preview_ = std::move(preview);
    showPreview();
    if (!preview_->ok())
        context().prompter.showWarning(this, preview_->refusal);
    else if (preview_->importedBefore)
        message(PaymentImport::ImportedBeforeText(*preview_->importedBefore));
}

void TfrmImport_Bank_Payment::btnSaveClick()
{
    if (!preview_ || !preview_->ok() || preview_->importedBefore || preview_->matchedCount() == 0)
        return;
    if (!confirm(kConfirmSave.arg(preview_->matchedCount()).arg(FormatAmount(preview_->matchedTotal()))))
        return;
    // Recorded on a copy: a failure leaves the preview as the clerk saw it.
    PaymentImport::Preview recorded = *preview_;
    const QString user = context().startup.loginUser;
    const PaymentImport::Recorded result =
        BackgroundWork::Run(this, context().db, kRecording, [&](Database& db, const BackgroundWork::Progress&) {
            return PaymentImport::Record(db, recorded, user, ServerStampText(db.serverNow()));
        });
    preview_ = std::move(recorded);
    // What was recorded, or why nothing was: the outcomes as they now stand.
    showPreview();
    btnSave->setEnabled(false);
    message(result.message);
}

void TfrmImport_Bank_Payment::btnExportClick()
{
    if (!rows_)
        return;
    // Named and stamped by the database's clock, as every export is.
    SheetExport::WriteAndOpen(this, context(), ListingSheet(PaymentImport::PreviewListing(), ListingValues(), rows_));
}

void TfrmImport_Bank_Payment::btnExitClick()
{
    returnToMainMenu();
}
