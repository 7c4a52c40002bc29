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
#include <future>
#include <numeric>
#include <utility>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace PaymentImport {

namespace {

// Fresh memory comes from the system a page at a time as it is first
// touched, and on a virtual machine each page costs several microseconds: the
// megabytes a day's file fills are asked for whole, in one call, before they
// are filled. Where the system cannot, they come page by page as before.
void populate(void* start, qsizetype bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    const quintptr first = (quintptr(start) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(start) + quintptr(bytes)) & ~(page - 1);
    if (end > first) {
        // In large pages where the system has them: a few faults instead of
        // one a 4 KB page.
#ifdef MADV_HUGEPAGE
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#endif
        madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    }
#else
    Q_UNUSED(start);
    Q_UNUSED(bytes);
#endif
}

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

// The rows in the order of their invoice numbers, those of one number in
// the file's order.
struct NumberOrder {
    QList<qsizetype> rows;
    QList<qsizetype> starts; // where each number's rows start in `rows`, and the end
};

NumberOrder rowsByNumber(const QList<Row>& rows)
{
    NumberOrder order;
    order.rows.resize(rows.size());
    // Sorted as integers beside their rows' places, when every number is of
    // the usual form: no text is looked at again, and the place breaks ties
    // in the file's order.
    std::vector<std::pair<qint64, qsizetype>> keyed;
    keyed.reserve(size_t(rows.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const qint64 key = InvoiceNoKey(rows.at(i).invoiceNo);
        if (key < 0)
            break;
        keyed.emplace_back(key, i);
    }
    if (qsizetype(keyed.size()) == rows.size()) {
        if (!std::is_sorted(keyed.cbegin(), keyed.cend()))
            std::sort(keyed.begin(), keyed.end());
        for (qsizetype k = 0; k < rows.size(); ++k) {
            order.rows[k] = keyed[size_t(k)].second;
            if (k == 0 || keyed[size_t(k)].first != keyed[size_t(k - 1)].first)
                order.starts << k;
        }
    } else {
        std::iota(order.rows.begin(), order.rows.end(), 0);
        std::stable_sort(order.rows.begin(), order.rows.end(),
                         [&](qsizetype a, qsizetype b) { return rows.at(a).invoiceNo < rows.at(b).invoiceNo; });
        for (qsizetype k = 0; k < rows.size(); ++k)
            if (k == 0 || rows.at(order.rows.at(k)).invoiceNo != rows.at(order.rows.at(k - 1)).invoiceNo)
                order.starts << k;
    }
    order.starts << rows.size();
    return order;
}

// Gives every row its outcome against the invoices and earlier imports as
// they are now.
void match(Database& db, Preview& preview)
{
    QList<Row>& rows = preview.rows;
    // The invoices are read in the order of their numbers, once each.
    const NumberOrder order = rowsByNumber(rows);
    preview.byNumber = order.rows;
    QStringList numbers;
    numbers.reserve(order.starts.size() - 1);
    for (qsizetype n = 0; n + 1 < order.starts.size(); ++n)
        numbers << rows.at(order.rows.at(order.starts.at(n))).invoiceNo;
    const QList<std::optional<BankPaymentTable::InvoiceState>> invoices = BankPaymentTable::invoicesOf(db, numbers);
    const QSet<BankPaymentTable::PaymentKey> recorded = BankPaymentTable::recordedKeys(db, daysOf(preview));
    // No payment is dated after the day the bank wrote the file, nor after
    // today by the database's clock.
    const QString today = DisplayToSortDate(CurrentDateText(db.serverNow()));
    const QString latest = std::min(DisplayToSortDate(preview.header.effectiveDate), today);

    // Number by number, each one's rows in the file's order. A payment sent
    // twice in the file has the same reference 1 both times, so its number's
    // rows are all there is to look through for it.
    QSet<BankPaymentTable::PaymentKey> keysOfNumber;
    for (qsizetype n = 0; n < numbers.size(); ++n) {
        const std::optional<BankPaymentTable::InvoiceState>& invoice = invoices.at(n);
        const qsizetype first = order.starts.at(n), end = order.starts.at(n + 1);
        keysOfNumber.clear();
        bool paidInFile = false;
        for (qsizetype k = first; k < end; ++k) {
            Row& row = rows[order.rows.at(k)];
            const BankPaymentFile::Detail& d = row.record;
            // Every payment's key is kept, whatever its outcome.
            bool earlierInFile = false;
            if (!d.isReversal() && end - first > 1) {
                const qsizetype seen = keysOfNumber.size();
                keysOfNumber.insert(keyOf(d));
                earlierInFile = keysOfNumber.size() == seen;
            }
            row.invoiceTotal = invoice ? invoice->total : Money();
            row.outcome = [&] {
                if (d.isReversal())
                    return Outcome::Reversal;
                if (!recorded.isEmpty() && recorded.contains(keyOf(d)))
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
                if (paidInFile)
                    return Outcome::AgainInFile;
                if (paidOn < invoice->issuedOn)
                    return Outcome::PaymentDateInvalid;
                // Shop codes are printed in capitals; one typed otherwise at a
                // counter still matches.
                if (const QStringView shop = QStringView(invoice->cafeteriaCode).trimmed();
                    d.reference2 != shop && d.reference2.compare(shop, Qt::CaseInsensitive) != 0)
                    return Outcome::ShopDiffers;
                if (d.amount != invoice->total)
                    return Outcome::AmountDiffers;
                if (!preview.billerId.isEmpty() && d.billerId != preview.billerId)
                    return Outcome::BillerDiffers;
                return Outcome::Matched;
            }();
            if (row.outcome == Outcome::Matched)
                paidInFile = true;
        }
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
    // Each record becomes a row as soon as it is read: a day's file is not
    // held twice. A record and its line end take at least 257 bytes.
    preview.rows.reserve(bytes.size() / (BankPaymentFile::kRecordLength + 1));
    // Beside the reading and matching, which need neither: the rows' memory
    // is populated ahead of the reading that fills it, then the file's
    // fingerprint is worked out. On a day's file each takes tens of
    // milliseconds.
    std::future<QByteArray> digest
        = std::async(std::launch::async, [&bytes, rows = preview.rows.data(), capacity = preview.rows.capacity()] {
              populate(rows, capacity * qsizetype(sizeof(Row)));
              return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
          });
    BankPaymentFile::Result read = BankPaymentFile::Parse(bytes, [&](BankPaymentFile::Detail&& d) {
        Row& row = preview.rows.emplaceBack();
        row.invoiceNo = InvoiceNoOfTyped(d.reference1);
        row.record = std::move(d);
    });
    if (!read.ok()) {
        preview.rows.clear();
        preview.refusal = read.refusal;
        preview.sha256 = QString::fromLatin1(digest.get().toHex());
        return preview;
    }
    preview.header = read.contents.header;
    match(db, preview);
    preview.sha256 = QString::fromLatin1(digest.get().toHex());
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
    // Read into memory of the file's size, asked for whole.
    QByteArray bytes;
    if (const qint64 size = file.size(); size > 0) {
        bytes.resize(size);
        populate(bytes.data(), bytes.size());
        bytes.truncate(std::max<qint64>(file.read(bytes.data(), size), 0));
    }
    bytes += file.readAll(); // what a file of no known size holds, or what it grew by
    return Prepare(db, path, bytes, billerId, progress);
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
    // No payment is dated after the day the bank wrote the file, nor after
    // today by the database's clock.
    const QString today = DisplayToSortDate(CurrentDateText(db.serverNow()));
    const QString latest = std::min(DisplayToSortDate(preview.header.effectiveDate), today);
    if (!recorded.isEmpty())
        for (qsizetype i = 0; i < rows.size(); ++i)
            if (!rows.at(i).record.isReversal() && recorded.contains(keyOf(rows.at(i).record)))
                outcomes[i] = Outcome::AlreadyImported;

    // The invoices in the order of their numbers, as the preview read them.
    if (preview.byNumber.size() != rows.size())
        preview.byNumber = rowsByNumber(rows).rows;
    QList<BankPaymentTable::PaymentOfInvoice> payments;
    QList<qsizetype> paying;
    for (const qsizetype i : std::as_const(preview.byNumber)) {
        if (outcomes.at(i) != Outcome::Matched)
            continue;
        payments.append({rows.at(i).invoiceNo, rows.at(i).record.paymentDate});
        paying.append(i);
    }
    // The same guard as the payment date window: an invoice paid on another
    // workstation since the match stays as that one left it.
    const QList<bool> moved = BankPaymentTable::recordPaymentsOfUnpaid(db, payments);
    // Those that did not move are read again to say why; they are in number
    // order, and a number is matched once.
    QStringList movedOn;
    for (qsizetype k = 0; k < paying.size(); ++k)
        if (!moved.at(k))
            movedOn << rows.at(paying.at(k)).invoiceNo;
    const QList<std::optional<BankPaymentTable::InvoiceState>> now = BankPaymentTable::invoicesOf(db, movedOn);
    for (qsizetype k = 0, next = 0; k < paying.size(); ++k)
        if (!moved.at(k))
            outcomes[paying.at(k)] = outcomeOfMovedOn(now.at(next++));

    // The payments recorded in the file's order, which is the bank's.
    QList<qsizetype> applied;
    applied.reserve(paying.size());
    Money appliedTotal;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (outcomes.at(i) != Outcome::Matched)
            continue;
        applied.append(i);
        appliedTotal += rows.at(i).record.amount;
    }
    BankPaymentTable::insertPayments(db, *importNo, applied.size(), [&](qsizetype k) {
        const Row& row = rows.at(applied.at(k));
        const BankPaymentFile::Detail& d = row.record;
        return BankPaymentTable::PaymentRecord{
            {d.bankCode, d.paymentDate, d.paymentTime, d.sequence, d.reference1, d.amount},
            d.reference2,
            row.invoiceNo,
            d.customerName,
            d.branch,
            d.teller,
            d.billerId};
    });
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
