#include "billing/PaymentImport.h"

#include "core/InvoiceStatus.h"
#include "core/Numbers.h"
#include "core/ThaiDate.h"
#include "data/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace PaymentImport {

namespace {

BankPaymentTable::PaymentKey keyOf(const BankPaymentFile::Detail& d)
{
    return {d.bankCode, d.paymentDate, d.paymentTime, d.sequence, d.reference1, d.amount};
}

// The banks and days of the file's payments: an earlier import's record of
// one of them has one of these.
QSet<BankPaymentTable::BankDay> daysOf(const Preview& preview)
{
    QSet<BankPaymentTable::BankDay> days;
    for (const Row& row : preview.rows)
        if (!row.record.isReversal())
            days.insert({row.record.bankCode, row.record.paymentDate});
    return days;
}

// What a payment that was matched comes to once its invoice would not move:
// the invoice was paid, remitted or cancelled elsewhere in the meantime.
Outcome outcomeOfMovedOn(const std::optional<BankPaymentTable::InvoiceState>& invoice)
{
    if (!invoice)
        return Outcome::NoSuchInvoice;
    return invoice->status == InvoiceStatus::Cancelled ? Outcome::Cancelled : Outcome::AlreadyPaid;
}

std::optional<BankPaymentTable::InvoiceState> invoiceOf(const QHash<QString, BankPaymentTable::InvoiceState>& invoices,
                                                        const QString& number)
{
    const auto found = invoices.constFind(number);
    if (found == invoices.cend())
        return std::nullopt;
    return *found;
}

// How often the one waiting for a match hears how far it is.
constexpr qsizetype kRowsBetweenProgress = 1000;

// Gives every row its outcome against the invoices and earlier imports as
// they are now, in the file's order; false when `progress` stopped it.
bool match(Database& db, Preview& preview, const Progress& progress)
{
    QSet<QString> numbers;
    for (const Row& row : std::as_const(preview.rows))
        numbers.insert(row.invoiceNo);
    const QHash<QString, BankPaymentTable::InvoiceState> invoices = BankPaymentTable::invoicesOf(db, numbers.values());
    const QSet<BankPaymentTable::PaymentKey> recorded = BankPaymentTable::recordedKeys(db, daysOf(preview));
    // No payment is dated after the day the bank wrote the file, nor after
    // today by the database's clock.
    const QString today = DisplayToSortDate(CurrentDateText(db.serverNow()));
    const QString latest = std::min(DisplayToSortDate(preview.header.effectiveDate), today);

    QSet<BankPaymentTable::PaymentKey> keysInFile; // every payment's, whatever its outcome
    QSet<QString> paidInFile;                      // the invoices a matched row pays
    for (qsizetype i = 0; i < preview.rows.size(); ++i) {
        if (progress && i % kRowsBetweenProgress == 0 && !progress(i, preview.rows.size()))
            return false;
        Row& row = preview.rows[i];
        const BankPaymentFile::Detail& d = row.record;
        const std::optional<BankPaymentTable::InvoiceState> invoice = invoiceOf(invoices, row.invoiceNo);
        bool earlierInFile = false;
        if (!d.isReversal()) {
            const qsizetype seen = keysInFile.size();
            keysInFile.insert(keyOf(d));
            earlierInFile = keysInFile.size() == seen;
        }
        row.invoiceTotal = invoice ? invoice->total : Money();
        row.outcome = [&] {
            if (d.isReversal())
                return Outcome::Reversal;
            if (recorded.contains(keyOf(d)))
                return Outcome::AlreadyImported;
            if (earlierInFile)
                return Outcome::AgainInFile;
            const QString paidOn = DisplayToSortDate(d.paymentDate);
            if (paidOn > latest)
                return Outcome::PaymentDateInvalid;
            if (!invoice)
                return Outcome::NoSuchInvoice;
            if (invoice->status == InvoiceStatus::Cancelled)
                return Outcome::Cancelled;
            if (invoice->status != InvoiceStatus::Issued)
                return Outcome::AlreadyPaid;
            if (paidInFile.contains(row.invoiceNo))
                return Outcome::AgainInFile;
            if (paidOn < invoice->issuedOn)
                return Outcome::PaymentDateInvalid;
            // Shop codes are printed in capitals; one typed otherwise at a
            // counter still matches.
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
    return !progress || progress(preview.rows.size(), preview.rows.size());
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
    case Outcome::PaymentDateInvalid:
        return QStringLiteral("วันที่ชำระไม่ถูกต้อง");
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

Preview Prepare(Database& db, const QString& fileName, const QByteArray& bytes, const QString& billerId,
                const Progress& progress)
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
    for (BankPaymentFile::Detail& d : read.contents.details) {
        Row& row = preview.rows.emplaceBack();
        row.invoiceNo = InvoiceNoOfTyped(d.reference1);
        row.record = std::move(d);
    }
    if (!match(db, preview, progress)) {
        preview.rows.clear();
        preview.stopped = true;
        return preview;
    }
    preview.importedBefore = BankPaymentTable::findImport(db, preview.sha256);
    return preview;
}

Preview PrepareFile(Database& db, const QString& path, const QString& billerId, const Progress& progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Preview unread;
        unread.fileName = QFileInfo(path).fileName();
        unread.refusal = QStringLiteral("ไม่สามารถอ่านไฟล์ %1 (%2)").arg(path, file.errorString());
        return unread;
    }
    return Prepare(db, path, file.readAll(), billerId, progress);
}

QString ImportedBeforeText(const BankPaymentTable::ImportRecord& before)
{
    return QStringLiteral("ไฟล์นี้นำเข้าแล้วเมื่อ %1 โดย %2 จึงไม่บันทึกซ้ำ").arg(before.at, before.user);
}

namespace {

// The whole import in one transaction; false, with nothing written, when the
// file's import is already recorded. The preview's outcomes stand, and so
// nothing is recorded that the user was not shown as matched; what other
// workstations did since is found here: a payment another import recorded,
// an invoice paid or cancelled meanwhile. The rows take the outcomes recorded
// once the transaction is committed.
bool recordOnce(Database& db, Preview& preview, const QString& user, const QString& at, Recorded& result)
{
    const QList<Row>& rows = preview.rows;
    Database::Transaction transaction(db);
    // The import's own row first: a second workstation recording the same
    // file waits here, then finds it recorded.
    const std::optional<qint64> importNo = BankPaymentTable::insertImport(db, importOf(preview, user, at));
    if (!importNo)
        return false;
    QList<Outcome> outcomes;
    outcomes.reserve(rows.size());
    for (const Row& row : rows)
        outcomes << row.outcome;
    const QSet<BankPaymentTable::PaymentKey> recorded = BankPaymentTable::recordedKeys(db, daysOf(preview));
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (!rows.at(i).record.isReversal() && recorded.contains(keyOf(rows.at(i).record)))
            outcomes[i] = Outcome::AlreadyImported;

    // The same guard as the payment date window: an invoice paid on another
    // workstation since the match stays as that one left it. A number is
    // matched once in a file.
    QList<BankPaymentTable::PaymentOfInvoice> payments;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (outcomes.at(i) == Outcome::Matched)
            payments.append({rows.at(i).invoiceNo, rows.at(i).record.paymentDate});
    const QSet<QString> moved = BankPaymentTable::recordPaymentsOfUnpaid(db, payments);
    if (moved.size() < payments.size()) {
        // Those that did not move are read again to say why.
        QStringList movedOn;
        for (const BankPaymentTable::PaymentOfInvoice& p : std::as_const(payments))
            if (!moved.contains(p.invoiceNo))
                movedOn << p.invoiceNo;
        const QHash<QString, BankPaymentTable::InvoiceState> now = BankPaymentTable::invoicesOf(db, movedOn);
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (outcomes.at(i) == Outcome::Matched && !moved.contains(rows.at(i).invoiceNo))
                outcomes[i] = outcomeOfMovedOn(invoiceOf(now, rows.at(i).invoiceNo));
    }

    // The payments recorded in the file's order, which is the bank's.
    QList<BankPaymentTable::PaymentRecord> applied;
    applied.reserve(moved.size());
    Money appliedTotal;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (outcomes.at(i) != Outcome::Matched)
            continue;
        const BankPaymentFile::Detail& d = rows.at(i).record;
        applied.append({keyOf(d), d.reference2, rows.at(i).invoiceNo, d.customerName, d.branch, d.teller, d.billerId});
        appliedTotal += d.amount;
    }
    BankPaymentTable::insertPayments(db, *importNo, applied);
    // The import's counts and sums as recorded.
    BankPaymentTable::ImportRecord import = importOf(preview, user, at);
    import.matchedCount = int(applied.size());
    import.matchedTotal = appliedTotal;
    import.otherCount = int(rows.size()) - import.matchedCount;
    import.otherTotal = preview.matchedTotal() + preview.otherTotal() - appliedTotal;
    BankPaymentTable::updateImportCounts(db, import);
    transaction.commit();

    for (qsizetype i = 0; i < rows.size(); ++i)
        preview.rows[i].outcome = outcomes.at(i);
    result.applied = int(applied.size());
    result.appliedTotal = appliedTotal;
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
