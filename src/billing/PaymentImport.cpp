#include "billing/PaymentImport.h"

#include "core/InvoiceStatus.h"
#include "core/Numbers.h"
#include "data/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace PaymentImport {

namespace {

BankPaymentTable::PaymentKey keyOf(const BankPaymentFile::Detail& d)
{
    return {d.bankCode, d.paymentDate, d.paymentTime, d.sequence, d.reference1, d.amount};
}

// Gives every row its outcome against the invoices and earlier imports as
// they are now.
void match(Database& db, Preview& preview)
{
    QStringList numbers;
    QStringList references;
    for (const Row& row : std::as_const(preview.rows)) {
        numbers << row.invoiceNo;
        references << row.record.reference1;
    }
    const QHash<QString, BankPaymentTable::InvoiceState> invoices = BankPaymentTable::invoicesByNumber(db, numbers);
    const QSet<BankPaymentTable::PaymentKey> recorded = BankPaymentTable::recordedKeys(db, references);

    QSet<BankPaymentTable::PaymentKey> keysInFile;
    keysInFile.reserve(preview.rows.size());
    QSet<QString> paidInFile;
    paidInFile.reserve(preview.rows.size());
    for (Row& row : preview.rows) {
        const BankPaymentFile::Detail& d = row.record;
        const BankPaymentTable::PaymentKey key = keyOf(d);
        // Every payment's key is kept, whatever its outcome; one insert tells
        // whether an earlier record had it.
        bool earlierInFile = false;
        if (!d.isReversal()) {
            const qsizetype before = keysInFile.size();
            keysInFile.insert(key);
            earlierInFile = keysInFile.size() == before;
        }
        const auto invoice = invoices.constFind(row.invoiceNo);
        row.invoiceTotal = invoice == invoices.cend() ? Money() : invoice->total;
        row.outcome = [&] {
            if (d.isReversal())
                return Outcome::Reversal;
            if (recorded.contains(key))
                return Outcome::AlreadyImported;
            if (earlierInFile)
                return Outcome::AgainInFile;
            if (invoice == invoices.cend())
                return Outcome::NoSuchInvoice;
            const std::optional<InvoiceStatus> status = statusFromLetter(invoice->status);
            if (status == InvoiceStatus::Cancelled)
                return Outcome::Cancelled;
            if (status != InvoiceStatus::Issued)
                return Outcome::AlreadyPaid;
            if (paidInFile.contains(row.invoiceNo))
                return Outcome::AgainInFile;
            if (d.reference2.compare(invoice->cafeteriaCode.trimmed(), Qt::CaseInsensitive) != 0)
                return Outcome::ShopDiffers;
            if (d.amount != invoice->total)
                return Outcome::AmountDiffers;
            if (!preview.billerId.isEmpty() && d.billerId != preview.billerId)
                return Outcome::BillerDiffers;
            return Outcome::Matched;
        }();
        if (row.outcome == Outcome::Matched)
            paidInFile.insert(row.invoiceNo);
    }
}

BankPaymentTable::ImportRecord importOf(const Preview& preview, const QString& user, const QString& at)
{
    return {preview.sha256,         preview.fileName,       preview.header.bankCode, preview.header.effectiveDate,
            user,                   at,                     int(preview.rows.size()), preview.matchedCount(),
            preview.matchedTotal(), preview.otherCount(),   preview.otherTotal()};
}

} // namespace

QString OutcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Matched:
        return QStringLiteral("ตรงกับใบแจ้งหนี้");
    case Outcome::AlreadyPaid:
        return QStringLiteral("ใบแจ้งหนี้ชำระเงินแล้ว");
    case Outcome::Cancelled:
        return QStringLiteral("ใบแจ้งหนี้ถูกยกเลิก");
    case Outcome::NoSuchInvoice:
        return QStringLiteral("ไม่พบใบแจ้งหนี้");
    case Outcome::AmountDiffers:
        return QStringLiteral("จำนวนเงินไม่ตรงกับใบแจ้งหนี้");
    case Outcome::ShopDiffers:
        return QStringLiteral("รหัสร้านค้าไม่ตรงกับใบแจ้งหนี้");
    case Outcome::BillerDiffers:
        return QStringLiteral("รหัสผู้รับชำระ (Biller ID) ไม่ตรง");
    case Outcome::Reversal:
        return QStringLiteral("รายการยกเลิกจากธนาคาร (ตรวจสอบเอง)");
    case Outcome::AlreadyImported:
        return QStringLiteral("นำเข้าแล้วครั้งก่อน");
    case Outcome::AgainInFile:
        return QStringLiteral("ซ้ำกับรายการก่อนหน้าในไฟล์");
    }
    return {};
}

int Preview::matchedCount() const
{
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row& r) { return r.outcome == Outcome::Matched; }));
}

Money Preview::matchedTotal() const
{
    Money sum;
    for (const Row& r : rows)
        if (r.outcome == Outcome::Matched)
            sum += r.record.amount;
    return sum;
}

int Preview::otherCount() const
{
    return int(rows.size()) - matchedCount();
}

Money Preview::otherTotal() const
{
    Money sum;
    for (const Row& r : rows)
        if (r.outcome != Outcome::Matched)
            sum += r.record.amount;
    return sum;
}

Preview Prepare(Database& db, const QString& fileName, const QByteArray& bytes, const QString& billerId)
{
    Preview preview;
    preview.fileName = QFileInfo(fileName).fileName();
    preview.billerId = billerId;
    preview.sha256 = QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    BankPaymentFile::Result read = BankPaymentFile::Parse(bytes);
    if (!read.ok()) {
        preview.refusal = read.refusal;
        return preview;
    }
    preview.header = read.contents.header;
    preview.rows.reserve(read.contents.details.size());
    // The records are moved, not copied: a day's file holds tens of thousands.
    for (BankPaymentFile::Detail& d : read.contents.details) {
        QString invoiceNo = InvoiceNoOfTyped(d.reference1);
        preview.rows.append({std::move(d), std::move(invoiceNo), Outcome::NoSuchInvoice, Money()});
    }
    preview.importedBefore = BankPaymentTable::findImport(db, preview.sha256);
    match(db, preview);
    return preview;
}

Preview PrepareFile(Database& db, const QString& path, const QString& billerId)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Preview unread;
        unread.fileName = QFileInfo(path).fileName();
        unread.refusal = QStringLiteral("ไม่สามารถอ่านไฟล์ %1 (%2)").arg(path, file.errorString());
        return unread;
    }
    return Prepare(db, path, file.readAll(), billerId);
}

QString ImportedBeforeText(const BankPaymentTable::ImportRecord& before)
{
    return QStringLiteral("ไฟล์นี้นำเข้าแล้วเมื่อ %1 โดย %2 จึงไม่บันทึกซ้ำ").arg(before.at, before.user);
}

namespace {

// The whole import in one transaction; false, with nothing written, when the
// file's import is already recorded.
bool recordOnce(Database& db, Preview& preview, const QString& user, const QString& at, Recorded& result)
{
    Database::Transaction transaction(db);
    // The import's own row first: a second workstation recording the same
    // file waits here, then finds it recorded.
    if (!BankPaymentTable::insertImport(db, importOf(preview, user, at)))
        return false;
    match(db, preview);
    QList<BankPaymentTable::PaymentOfInvoice> payments;
    for (const Row& row : std::as_const(preview.rows))
        if (row.outcome == Outcome::Matched)
            payments.append({row.invoiceNo, row.record.paymentDate});
    // The same guard as the payment date window: an invoice paid on another
    // workstation since the match stays as that one left it.
    const QSet<QString> moved = BankPaymentTable::recordPaymentsOfUnpaid(db, payments);
    QList<BankPaymentTable::PaymentRecord> applied;
    applied.reserve(moved.size());
    for (Row& row : preview.rows) {
        if (row.outcome != Outcome::Matched)
            continue;
        if (!moved.contains(row.invoiceNo)) {
            row.outcome = Outcome::AlreadyPaid;
            continue;
        }
        const BankPaymentFile::Detail& d = row.record;
        applied.append({keyOf(d), d.reference2, row.invoiceNo, d.customerName, d.branch, d.teller, d.billerId});
        result.appliedTotal += d.amount;
    }
    BankPaymentTable::insertPayments(db, preview.sha256, applied);
    BankPaymentTable::updateImportCounts(db, importOf(preview, user, at));
    transaction.commit();
    result.applied = int(applied.size());
    return true;
}

} // namespace

Recorded Record(Database& db, Preview& preview, const QString& user, const QString& at)
{
    Recorded result;
    if (!preview.ok())
        return result;
    if (!recordOnce(db, preview, user, at, result)) {
        preview.importedBefore = BankPaymentTable::findImport(db, preview.sha256);
        result.message = preview.importedBefore ? ImportedBeforeText(*preview.importedBefore)
                                                : QStringLiteral("ไฟล์นี้กำลังนำเข้าจากเครื่องอื่น กรุณาลองใหม่");
        return result;
    }
    result.wrote = true;
    result.message = QStringLiteral("บันทึกการชำระเงิน %1 รายการ รวม %2 บาท เรียบร้อยแล้ว")
                         .arg(result.applied)
                         .arg(FormatAmount(result.appliedTotal));
    return result;
}

const ListingDescription& PreviewListing()
{
    static const ListingDescription listing = [] {
        ListingDescription d;
        d.name = QStringLiteral("bank-payments");
        d.caption = QStringLiteral("frmImport_Bank_Payment");
        d.heading = QStringLiteral("นำเข้าไฟล์ชำระเงินจากธนาคาร");
        d.columns = {
            {QStringLiteral("ลำดับ"), ValueKind::Integer, 50, 7, ColumnAlign::Centre},
            {QStringLiteral("วันที่ชำระ"), ValueKind::Date, 90, 11, ColumnAlign::Centre},
            {QStringLiteral("เวลา"), ValueKind::Text, 70, 9, ColumnAlign::Centre},
            {QStringLiteral("ชื่อผู้ชำระ"), ValueKind::Text, 180, 26, ColumnAlign::Default},
            {QStringLiteral("Ref.1"), ValueKind::Text, 100, 13, ColumnAlign::Default},
            {QStringLiteral("Ref.2"), ValueKind::Text, 100, 13, ColumnAlign::Default},
            {QStringLiteral("เลขที่ใบแจ้งหนี้"), ValueKind::Text, 100, 14, ColumnAlign::Centre},
            {QStringLiteral("จำนวนเงิน"), ValueKind::Money, 100, 14, ColumnAlign::Right},
            {QStringLiteral("ผลการตรวจสอบ"), ValueKind::Text, 220, 30, ColumnAlign::Default},
        };
        d.sheet.title = QStringLiteral("รายการชำระเงินจากไฟล์ธนาคาร");
        d.sheet.boldTotals = true;
        return d;
    }();
    return listing;
}

ListingRows PreviewRows(const Preview& preview)
{
    enum Column { kSequence, kDate, kTime, kName, kRef1, kRef2, kInvoice, kAmount, kOutcome };
    ListingRows rows(int(PreviewListing().columns.size()));
    rows.reserve(int(preview.rows.size()) + 3);
    for (const Row& row : preview.rows) {
        const BankPaymentFile::Detail& d = row.record;
        rows.addRow();
        rows.setInteger(kSequence, d.sequence);
        rows.setDate(kDate, d.paymentDate);
        rows.setText(kTime, QStringLiteral("%1:%2:%3").arg(d.paymentTime.left(2), d.paymentTime.mid(2, 2),
                                                           d.paymentTime.mid(4, 2)));
        rows.setText(kName, d.customerName);
        rows.setText(kRef1, d.reference1);
        rows.setText(kRef2, d.reference2);
        rows.setText(kInvoice, row.invoiceNo);
        rows.setMoney(kAmount, d.amount);
        rows.setText(kOutcome, OutcomeText(row.outcome));
    }
    const auto total = [&](RowKind kind, const QString& label, int count, Money sum) {
        rows.addRow(kind);
        rows.setText(kInvoice, label.arg(count));
        rows.setMoney(kAmount, sum);
    };
    total(RowKind::Subtotal, QStringLiteral("ตรงกัน %1 รายการ"), preview.matchedCount(), preview.matchedTotal());
    total(RowKind::Subtotal, QStringLiteral("ไม่ตรง %1 รายการ"), preview.otherCount(), preview.otherTotal());
    total(RowKind::Total, QStringLiteral("รวม %1 รายการ"), int(preview.rows.size()),
          preview.matchedTotal() + preview.otherTotal());
    return rows;
}

} // namespace PaymentImport
