#include "tools/SampleBankFile.h"

#include "billing/BankPaymentFileWriter.h"
#include "core/ThaiDate.h"
#include "data/Database.h"
#include "data/Invoices.h"
#include "tools/CommandOptions.h"
#include "tools/AdminCommands.h"

#include <QSaveFile>

#include <algorithm>

namespace SampleBankFile {

namespace {

// The biller ID the README's settings example shows: used when the settings
// name none, so that the file reads like a real one.
const QString kDemoBillerId = QStringLiteral("099400016550100");
const QString kBankCode = QStringLiteral("014");
const QString kCompanyAccount = QStringLiteral("1234567890");
constexpr qint64 kShortBySatang = 10000;

BankPaymentFile::Detail paymentOf(const Invoice& v, const QString& date, const QString& billerId)
{
    BankPaymentFile::Detail d;
    d.bankCode = kBankCode;
    d.companyAccount = kCompanyAccount;
    d.paymentDate = date;
    d.customerName = v.operatorName();
    d.reference1 = QString(v.number).remove(QLatin1Char('/'));
    d.reference2 = v.cafeteriaCode.trimmed();
    d.kind = QLatin1Char('C');
    d.transactionCode = QStringLiteral("CSH");
    d.amount = v.payTotal;
    d.billerId = billerId;
    return d;
}

} // namespace

Sample Compose(Database& db, int count, const QString& billerId)
{
    const QList<Invoice> unpaid = InvoiceTable::searchUnpaid(db, true, QString());
    const QString today = CurrentDateText(db.serverNow());
    Sample sample;
    BankPaymentFile::Contents& file = sample.file;
    file.header = {1, kBankCode, kCompanyAccount, QStringLiteral("มหาวิทยาลัยออร์เวน"), today,
                   QStringLiteral("BILLPAY")};
    // One invoice is always paid exactly; the two others only when more are unpaid.
    const int others = int(std::clamp<qsizetype>(unpaid.size() - 1, 0, 2));
    sample.exact = int(std::min<qsizetype>(count, unpaid.size() - others));
    sample.differing = others >= 1 ? 1 : 0;
    sample.reversed = others >= 2 ? 1 : 0;
    for (int i = 0; i < sample.exact + others; ++i) {
        BankPaymentFile::Detail d = paymentOf(unpaid.at(i), today, billerId);
        if (i == sample.exact) {
            // Paid short, or over when the total is too small to pay short.
            const qint64 satang = d.amount.satang();
            d.amount = Money::fromSatang(satang > kShortBySatang ? satang - kShortBySatang : satang + kShortBySatang);
        } else if (i == sample.exact + 1) {
            d.kind = QLatin1Char('D');
            d.transactionCode = QStringLiteral("REV");
        }
        file.details.append(d);
    }
    // The counters' day, 08:30 to 16:30, branch and teller by turn.
    const int total = int(file.details.size());
    for (int i = 0; i < total; ++i) {
        BankPaymentFile::Detail& d = file.details[i];
        const int second = 8 * 3600 + 1800 + int(qint64(i) * 8 * 3600 / std::max(total, 1));
        d.sequence = i + 2;
        d.paymentTime = QStringLiteral("%1%2%3")
                            .arg(second / 3600, 2, 10, QLatin1Char('0'))
                            .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
                            .arg(second % 60, 2, 10, QLatin1Char('0'));
        d.branch = QStringLiteral("%1").arg(101 + i % 7, 4, 10, QLatin1Char('0'));
        d.teller = QStringLiteral("%1").arg(1 + i % 3, 4, 10, QLatin1Char('0'));
    }
    file.trailer = BankPaymentFile::TrailerOf(file.header, file.details);
    return sample;
}

int Command(const QStringList& args, QTextStream& out, QTextStream& err)
{
    using AdminCommands::Failure;
    return AdminCommands::run(err, [&] {
        const QString usage = QStringLiteral("usage: costdesk-admin sample-bank-file URL FILE [--count N]");
        const AdminCommands::Options o(args, {});
        AdminCommands::checkKnown(o, {QStringLiteral("--count")});
        const QStringList& positional = o.positional();
        const int count = o.has("--count") ? AdminCommands::countOption(
                                                  o, "--count", 1, QStringLiteral("--count ต้องเป็นจำนวนเต็มตั้งแต่ 1 ขึ้นไป"))
                                            : 20;
        if (positional.size() != 2)
            throw Failure(usage, 2);
        const QString path = positional.at(1);

        auto db = AdminCommands::openDatabase(positional.at(0));
        // The biller ID the import will match against, when the settings give one.
        const QString settingsBiller = AdminCommands::settingsTexts().billerId;
        const Sample sample = Compose(*db, count, settingsBiller.isEmpty() ? kDemoBillerId : settingsBiller);
        if (sample.file.details.isEmpty())
            throw Failure(QStringLiteral("ไม่มีใบแจ้งหนี้ที่ยังไม่ชำระเงินในฐานข้อมูลนี้"));

        // Written whole or not at all.
        QSaveFile save(path);
        if (!save.open(QIODevice::WriteOnly) || save.write(BankPaymentFile::Write(sample.file)) < 0 || !save.commit())
            throw Failure(QStringLiteral("ไม่สามารถเขียนแฟ้ม %1: %2").arg(path, save.errorString()));
        out << QStringLiteral("เขียนแฟ้ม %1 แล้ว: %2 รายการ ชำระวันที่ %3 (ตรงยอด %4, ยอดไม่ตรง %5, รายการยกเลิก %6)\n")
                   .arg(path)
                   .arg(sample.file.details.size())
                   .arg(sample.file.header.effectiveDate)
                   .arg(sample.exact)
                   .arg(sample.differing)
                   .arg(sample.reversed);
        return 0;
    });
}

} // namespace SampleBankFile
