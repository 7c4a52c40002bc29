#include "data/BankPayments.h"

#include "core/InvoiceStatus.h"
#include "core/Numbers.h"
#include "core/TextPool.h"
#include "core/ThaiDate.h"

#include <algorithm>
#include <numeric>
#include <tuple>
#include <type_traits>

namespace BankPaymentTable {

namespace {

// Values bound in one statement at the most: well within both engines'
// limits, and few statements for a day's file.
constexpr int kBatch = 500;

QString placeholders(int count)
{
    QString text;
    text.reserve(count * 3);
    for (int i = 0; i < count; ++i)
        text += i == 0 ? QStringLiteral("?") : QStringLiteral(", ?");
    return text;
}

// Positions 0..count-1 in the order `less` gives them: a day's file is
// already nearly in that order more often than not, and then nothing is moved.
template <typename Less>
QList<qsizetype> orderOf(qsizetype count, Less less)
{
    QList<qsizetype> order(count);
    std::iota(order.begin(), order.end(), 0);
    if (!std::is_sorted(order.begin(), order.end(), less))
        std::sort(order.begin(), order.end(), less);
    return order;
}

} // namespace

size_t qHash(const PaymentKey& key, size_t seed)
{
    return qHashMulti(seed, key.bankCode, key.paymentDate, key.paymentTime, key.sequence, key.reference1,
                      key.amount.satang());
}

size_t qHash(const BankDay& day, size_t seed)
{
    return qHashMulti(seed, day.bankCode, day.paymentDate);
}

namespace {

bool isAscii(QUtf8StringView text)
{
    unsigned char any = 0;
    for (const char c : text)
        any |= static_cast<unsigned char>(c);
    return any < 0x80;
}

// Whether a text read in UTF-8 is this one: most are ASCII, compared as they
// are, without making a text of them.
bool sameText(const QString& text, QUtf8StringView utf8)
{
    if (isAscii(utf8))
        return text == QLatin1StringView(utf8.data(), utf8.size());
    return text == utf8.toString();
}

// A short ASCII text read in UTF-8, in UTF-16 in the caller's buffer of
// kShort units without making a text of it; empty when it is longer or not
// ASCII.
constexpr qsizetype kShort = 32;
std::optional<QStringView> shortAscii(QUtf8StringView utf8, char16_t (&buffer)[kShort])
{
    if (utf8.size() > kShort || !isAscii(utf8))
        return std::nullopt;
    for (qsizetype i = 0; i < utf8.size(); ++i)
        buffer[i] = char16_t(static_cast<unsigned char>(utf8.at(i)));
    return QStringView(buffer, utf8.size());
}

// A status letter read in UTF-8.
std::optional<InvoiceStatus> statusOfUtf8(QUtf8StringView utf8)
{
    char16_t buffer[kShort];
    if (const std::optional<QStringView> letter = shortAscii(utf8, buffer))
        return statusFromLetter(*letter);
    return statusFromLetter(utf8.toString());
}

// A text read in UTF-8 from the pool: a shop code recurs on its invoices.
QString pooledUtf8(TextPool& pool, QUtf8StringView utf8)
{
    if (utf8.isNull())
        return {};
    char16_t buffer[kShort];
    if (const std::optional<QStringView> text = shortAscii(utf8, buffer))
        return pool(*text);
    return utf8.toString();
}

} // namespace

QList<std::optional<InvoiceState>> invoicesOf(Database& db, const QStringList& sortedNumbers)
{
    QList<std::optional<InvoiceState>> found(sortedNumbers.size());
    // Where a number of the batch from `start` stands among the numbers.
    const auto place = [&](qsizetype start, QStringView number) -> std::optional<InvoiceState>& {
        const auto batch = sortedNumbers.cbegin() + start;
        const auto end = sortedNumbers.cbegin() + std::min(sortedNumbers.size(), start + kBatch);
        const auto at = std::lower_bound(batch, end, number, [](const QString& a, QStringView b) { return a < b; });
        if (at == end || *at != number)
            throw DbError(QStringLiteral("an invoice not asked for was read: %1").arg(number));
        return found[at - sortedNumbers.cbegin()];
    };
    const QString columns = QStringLiteral("SELECT Invoice_no, Invoice_Status, Pay_Total, Cafeteria_Code, Date_Entry_Num\n"
                                           "FROM T_PayIn_Main\nWHERE ");
    const QString listed = columns + QStringLiteral("Invoice_no IN (%1)");
    // The embedded engine runs one statement for every batch at the cost of
    // the look-ups alone; the last batch is filled up with its last number.
    // A batch of numbers that fill most of the range from its first to its
    // last, as a day's payments of one year's invoices do, is read as that
    // range instead: one walk along the key, nothing bound but its ends, the
    // invoices between that were not asked for passed over.
    if (const std::unique_ptr<BulkStatement> batch = db.bulkStatement(listed.arg(placeholders(kBatch)))) {
        const std::unique_ptr<BulkStatement> range
            = db.bulkStatement(columns + QStringLiteral("Invoice_no BETWEEN ? AND ?"));
        TextPool shopCodes;
        for (qsizetype start = 0; start < sortedNumbers.size(); start += kBatch) {
            const qsizetype end = std::min(sortedNumbers.size(), start + kBatch);
            // Numbers of the usual form are ASCII, so the engine orders the
            // texts between them as they are ordered here.
            const qint64 first = InvoiceNoKey(sortedNumbers.at(start)), last = InvoiceNoKey(sortedNumbers.at(end - 1));
            const bool dense = first >= 0 && last >= 0 && last - first < 2 * (end - start);
            BulkStatement& read = dense ? *range : *batch;
            if (dense) {
                range->bind(0, sortedNumbers.at(start));
                range->bind(1, sortedNumbers.at(end - 1));
            } else {
                for (qsizetype i = 0; i < kBatch; ++i)
                    batch->bind(int(i), sortedNumbers.at(std::min(start + i, sortedNumbers.size() - 1)));
            }
            // The rows come in the order of the key: each is looked for first
            // where the one before it was found.
            qsizetype next = start;
            while (read.next()) {
                const QUtf8StringView number = read.utf8(0);
                qsizetype at = next;
                if (at >= end || !sameText(sortedNumbers.at(at), number)) {
                    const QString text = number.toString();
                    if (dense) {
                        const auto it = std::lower_bound(sortedNumbers.cbegin() + start, sortedNumbers.cbegin() + end,
                                                         text);
                        if (it == sortedNumbers.cbegin() + end || *it != text)
                            continue; // between the numbers asked for
                        at = it - sortedNumbers.cbegin();
                    } else
                        at = &place(start, text) - found.data();
                }
                found[at] = InvoiceState{statusOfUtf8(read.utf8(1)), Money::fromSatang(read.integer(2)),
                                         pooledUtf8(shopCodes, read.utf8(3)), read.utf8(4).toString()};
                next = at + 1;
            }
        }
        return found;
    }
    for (qsizetype start = 0; start < sortedNumbers.size(); start += kBatch) {
        const QStringList some = sortedNumbers.mid(start, kBatch);
        db.forEachRow(listed.arg(placeholders(int(some.size()))), QVariantList(some.cbegin(), some.cend()),
                      [&](const RowCursor& r) {
                          place(start, r.text(0))
                              = InvoiceState{statusFromLetter(r.text(1)), r.money(2), r.text(3), r.text(4)};
                      });
    }
    return found;
}

QSet<PaymentKey> recordedKeys(Database& db, const QSet<BankDay>& days)
{
    // By the leading columns of the table's key: the payments recorded of
    // each bank and day, usually none or one earlier file's, rather than a
    // look-up for every record of the file.
    QSet<PaymentKey> keys;
    for (const BankDay& day : days)
        db.forEachRow(QStringLiteral("SELECT Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount\n"
                                     "FROM T_Bank_Payment\nWHERE (Bank_Code = ?) AND (Payment_Date = ?)"),
                      {day.bankCode, day.paymentDate}, [&](const RowCursor& r) {
                          keys.insert({r.text(0), r.text(1), r.text(2), r.integer(3), r.text(4), r.money(5)});
                      });
    return keys;
}

std::optional<ImportRecord> findImport(Database& db, const QString& sha256)
{
    const Rows rows = db.select(QStringLiteral("SELECT File_SHA256, File_Name, Bank_Code, Effective_Date, Import_User, "
                                               "Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, "
                                               "Other_Total\nFROM T_Bank_Import\nWHERE (File_SHA256 = ?)"),
                                {sha256});
    if (rows.isEmpty())
        return std::nullopt;
    const Row& r = rows.first();
    return ImportRecord{r.text(0), r.text(1),    r.text(2),     r.text(3),    r.text(4),    r.text(5),
                        r.integer(6), r.integer(7), r.money(8), r.integer(9), r.money(10)};
}

std::optional<qint64> insertImport(Database& db, const ImportRecord& v)
{
    // The number comes from the engine: the row's own on SQLite, a sequence
    // on a server.
    if (db.executeUnlessDuplicate(
            QStringLiteral("INSERT INTO T_Bank_Import (File_SHA256, File_Name, Bank_Code, Effective_Date, "
                           "Import_User, Import_At, Record_Count, Matched_Count, Matched_Total, Other_Count, "
                           "Other_Total)\nVALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {v.sha256, v.fileName, v.bankCode, v.effectiveDate, v.user, v.at, v.recordCount, v.matchedCount,
             db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal)})
        != WriteResult::Written)
        return std::nullopt;
    return db.select(QStringLiteral("SELECT Import_No FROM T_Bank_Import\nWHERE (File_SHA256 = ?)"), {v.sha256})
        .first()
        .integer(0);
}

void updateImportCounts(Database& db, const ImportRecord& v)
{
    db.execute(QStringLiteral("UPDATE T_Bank_Import\nSET Record_Count = ?, Matched_Count = ?, Matched_Total = ?, "
                              "Other_Count = ?, Other_Total = ?\nWHERE (File_SHA256 = ?)"),
               {v.recordCount, v.matchedCount, db.money(v.matchedTotal), v.otherCount, db.money(v.otherTotal),
                v.sha256});
}

namespace {

// A payment's values but its import's number, in the order of the columns
// insertPayments writes, each handed to `put`.
template <typename Put>
void putRow(const PaymentRecord& p, Put&& put)
{
    put(p.key.bankCode);
    put(p.key.paymentDate);
    put(p.key.paymentTime);
    put(qint64(p.key.sequence));
    put(p.key.reference1);
    put(p.key.amount);
    put(p.reference2);
    put(p.invoiceNo);
    put(p.customerName);
    put(p.branch);
    put(p.teller);
    put(p.billerId);
}

} // namespace

void insertPayments(Database& db, qint64 importNo, qsizetype count,
                    const std::function<PaymentRecord(qsizetype)>& paymentAt)
{
    if (count == 0)
        return;
    // In the order of the table's key, so that the table grows at one end
    // instead of taking rows all over its pages.
    const QList<qsizetype> ordered = orderOf(count, [&](qsizetype a, qsizetype b) {
        const BankKey<QStringView> x = paymentAt(a).key;
        const BankKey<QStringView> y = paymentAt(b).key;
        return std::tie(x.bankCode, x.paymentDate, x.paymentTime, x.sequence, x.reference1)
               < std::tie(y.bankCode, y.paymentDate, y.paymentTime, y.sequence, y.reference1);
    });
    const QString insert = QStringLiteral("INSERT INTO T_Bank_Payment (Bank_Code, Payment_Date, Payment_Time, "
                                          "Bank_Sequence, Reference1, Amount, Reference2, Invoice_no, Customer_Name, "
                                          "Branch, Teller, Biller_ID, Import_No)\nVALUES ");
    constexpr int kColumns = 13;
    const QString row = QStringLiteral("(%1)").arg(placeholders(kColumns));
    // Several rows a statement on both engines: a server is spared round
    // trips, and SQLite keeps its place at the end of the table from one row
    // to the next instead of looking for it anew and starting the statement
    // again for every row. The import's number is bound once a statement.
    constexpr int kRowsAStatement = kBatch / kColumns;
    const auto rowsOf = [&](qsizetype n) { return insert + QStringList(n, row).join(QStringLiteral(", ")); };

    qsizetype rows = std::min<qsizetype>(kRowsAStatement, count);
    if (std::unique_ptr<BulkStatement> statement = db.bulkStatement(rowsOf(rows))) {
        const auto bindImport = [&] {
            for (qsizetype j = 0; j < rows; ++j)
                statement->bind(int(j) * kColumns + kColumns - 1, importNo); // the last column
        };
        bindImport();
        for (qsizetype start = 0; start < ordered.size(); start += rows) {
            if (ordered.size() - start < rows) {
                // The last rows, fewer than a statement holds.
                rows = ordered.size() - start;
                statement = db.bulkStatement(rowsOf(rows));
                bindImport();
            }
            for (qsizetype j = 0; j < rows; ++j) {
                int at = int(j) * kColumns;
                putRow(paymentAt(ordered.at(start + j)), [&](const auto& value) { statement->bind(at++, value); });
            }
            statement->run();
        }
        return;
    }

    for (qsizetype start = 0; start < ordered.size(); start += kRowsAStatement) {
        const qsizetype end = std::min(ordered.size(), start + kRowsAStatement);
        QVariantList values;
        values.reserve((end - start) * kColumns);
        for (qsizetype i = start; i < end; ++i) {
            putRow(paymentAt(ordered.at(i)), [&](const auto& value) {
                using Value = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, Money>)
                    values << db.money(value);
                else if constexpr (std::is_same_v<Value, QStringView>)
                    values << value.toString();
                else
                    values << value;
            });
            values << importNo;
        }
        db.execute(rowsOf(end - start), values);
    }
}

QList<bool> recordPaymentsOfUnpaid(Database& db, const QList<PaymentOfInvoice>& payments)
{
    // In number order, so that neighbouring invoices are updated one after
    // the other.
    const QList<qsizetype> ordered = orderOf(payments.size(), [&](qsizetype a, qsizetype b) {
        return payments.at(a).invoiceNo < payments.at(b).invoiceNo;
    });
    const QString paid = letter(InvoiceStatus::Paid), unpaid = letter(InvoiceStatus::Issued);
    QList<bool> moved(payments.size(), false);

    // The embedded engine: the payment date window's guarded update, one
    // invoice at a time at the cost of SQLite's own work; its count of rows
    // changed tells whether the guard let the invoice through.
    if (const std::unique_ptr<BulkStatement> one = db.bulkStatement(
            QStringLiteral("UPDATE T_PayIn_Main\nSET Pay_In_Date = ?, Pay_In_Date_Num = ?, Invoice_Status = ?\n"
                           "WHERE (Invoice_no = ?) AND (Invoice_Status = ?)"))) {
        one->bind(2, paid);
        one->bind(4, unpaid);
        QString date; // a day's file has few payment dates: each is bound once
        for (const qsizetype i : ordered) {
            const PaymentOfInvoice& p = payments.at(i);
            if (date.isNull() || p.payInDate != date) {
                date = p.payInDate;
                one->bind(0, date);
                one->bind(1, DisplayToSortDate(date));
            }
            one->bind(3, p.invoiceNo);
            moved[i] = one->run() > 0;
        }
        return moved;
    }

    // A server: many invoices a statement instead of one round trip each,
    // every one with its own date from a list of values joined by number.
    // RETURNING names the rows the status guard let through, as each single
    // UPDATE's count did.
    constexpr int kColumns = 3;
    constexpr int kRowsAStatement = kBatch / kColumns;
    const QString row = QStringLiteral("(%1)").arg(placeholders(kColumns));
    QHash<QString, qsizetype> positionOf;
    positionOf.reserve(payments.size());
    for (qsizetype i = payments.size() - 1; i >= 0; --i)
        positionOf.insert(payments.at(i).invoiceNo, i); // the first of a number, should one come twice
    for (qsizetype start = 0; start < ordered.size(); start += kRowsAStatement) {
        const qsizetype end = std::min(ordered.size(), start + kRowsAStatement);
        QStringList rows;
        QVariantList values{paid};
        values.reserve((end - start) * kColumns + 2);
        for (qsizetype i = start; i < end; ++i) {
            const PaymentOfInvoice& p = payments.at(ordered.at(i));
            rows << row;
            values << p.invoiceNo << p.payInDate << DisplayToSortDate(p.payInDate);
        }
        values << unpaid;
        db.forEachRow(QStringLiteral("UPDATE T_PayIn_Main\n"
                                     "SET Pay_In_Date = v.column2, Pay_In_Date_Num = v.column3, Invoice_Status = ?\n"
                                     "FROM (VALUES %1) AS v\n"
                                     "WHERE (T_PayIn_Main.Invoice_no = v.column1) "
                                     "AND (T_PayIn_Main.Invoice_Status = ?)\n"
                                     "RETURNING T_PayIn_Main.Invoice_no")
                          .arg(rows.join(QStringLiteral(", "))),
                      values, [&](const RowCursor& r) { moved[positionOf.value(r.text(0))] = true; });
    }
    return moved;
}

} // namespace BankPaymentTable
