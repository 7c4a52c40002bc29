#include "tools/AdminCommands.h"

#include "core/Rights.h"
#include "tools/AccountCommands.h"
#include "tools/CommandOptions.h"

#include "billing/InvoiceIssue.h"
#include "billing/InvoicePrint.h"
#include "billing/ListingSheet.h"
#include "billing/MonthlyRun.h"
#include "billing/PaymentImport.h"
#include "billing/PeriodListings.h"
#include "billing/ReminderLetters.h"
#include "billing/YearOverview.h"
#include "core/InvoiceStatus.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/CancelTable.h"
#include "data/CostTypes.h"
#include "data/Schema.h"
#include "print/PagePainter.h"
#include "util/Utility.h"
#include "xlsx/SheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <cstdio>
#include <memory>

namespace AdminCommands {

namespace {

// The texts printed on the documents, from the settings file. A wrong
// setting costs the bank's codes, not the documents: said where the person
// running the command reads it, and printed on.
DocumentTexts textsToPrint(QTextStream& err)
{
    const DocumentTexts texts = settingsTexts();
    for (const QString& problem : texts.problems())
        err << "costdesk-admin: " << problem << "\n";
    err.flush();
    return texts;
}

// Pages written whole or not at all (PagePainter::writePdf), with the mode
// of what they show.
void writePdfFile(const QString& pdf, const QList<Page>& pages, const QString& title)
{
    if (!PagePainter::writePdf(pdf, pages, title))
        throw Failure(QStringLiteral("ไม่สามารถเขียนแฟ้ม %1").arg(pdf));
}

QString serverStamp(Database& db)
{
    return ServerStampText(db.serverNow());
}

} // namespace

int run(QTextStream& err, const std::function<int()>& command)
{
    try {
        return command();
    } catch (const Failure& f) {
        err << "costdesk-admin: " << f.text() << "\n";
        return f.code();
    } catch (const DbError& e) {
        err << "costdesk-admin: " << e.text() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "costdesk-admin: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
}

int printInvoices(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        const Options o(args, {});
        checkKnown(o, {QStringLiteral("--user"), QStringLiteral("--pdf"), QStringLiteral("--number"), QStringLiteral("--due-from"),
                       QStringLiteral("--due-to"), QStringLiteral("--status")});
        if (o.positional().size() != 1)
            throw Failure(QStringLiteral("usage: costdesk-admin print-invoices URL --pdf FILE (--number N ... | "
                                         "--due-from dd/mm/yyyy --due-to dd/mm/yyyy [--status A|P|R|C])"),
                          2);
        const QString pdf = required(o, "--pdf");
        const QString statusOption = o.value("--status");
        const std::optional<InvoiceStatus> status = statusFromLetter(statusOption);
        if (!statusOption.isEmpty() && !status)
            throw Failure(QStringLiteral("สถานะต้องเป็น A, P, R หรือ C"), 2);
        const bool byNumber = o.has("--number");
        if (byNumber == (o.has("--due-from") || o.has("--due-to")))
            throw Failure(QStringLiteral("ระบุ --number หรือช่วง --due-from/--due-to อย่างใดอย่างหนึ่ง"), 2);
        QString from, to;
        if (!byNumber) {
            from = dateOption(o, "--due-from");
            to = dateOption(o, "--due-to");
        }
        checkWritable(pdf);
        const DocumentTexts texts = textsToPrint(err);
        auto db = openDatabase(o.positional().first());
        if (o.has("--user"))
            db = signIn(std::move(db), o.value("--user"), err);
        const QStringList numbers = byNumber
            ? o.values("--number")
            : InvoiceTable::numbersDue(*db, DisplayToSortDate(from), DisplayToSortDate(to), status);
        if (numbers.isEmpty())
            throw Failure(QStringLiteral("ไม่มีใบแจ้งหนี้ที่ตรงกับเงื่อนไข"));
        QList<Page> pages;
        for (const QString& number : numbers) {
            const InvoicePrint::Result r = InvoicePrint::LoadPage(*db, number, texts);
            if (!r.page)
                throw Failure(number + QStringLiteral(": ") + r.refusal.trimmed());
            pages << *r.page;
        }
        // The document's title names what it holds: its invoice, or its first and last.
        const QString held = numbers.size() == 1 ? numbers.first() : numbers.first() + QStringLiteral(" – ") + numbers.last();
        writePdfFile(pdf, pages, QStringLiteral("ใบแจ้งการชำระเงิน ") + held);
        out << "พิมพ์ใบแจ้งหนี้ " << pages.size() << " ฉบับลงแฟ้ม " << pdf << "\n";
        return 0;
    });
}

int printReminders(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        const Options o(args, {});
        checkKnown(o, {QStringLiteral("--user"), QStringLiteral("--as-of"), QStringLiteral("--min-days"), QStringLiteral("--shop"),
                       QStringLiteral("--pdf")});
        if (o.positional().size() != 1)
            throw Failure(QStringLiteral("usage: costdesk-admin print-reminders URL --as-of dd/mm/yyyy [--min-days N] "
                                         "[--shop CODE] --pdf FILE"),
                          2);
        ReminderRequest request;
        request.asOf = dateOption(o, "--as-of");
        if (o.has("--min-days"))
            request.minDays = countOption(o, "--min-days", 1,
                                          QStringLiteral("--min-days ต้องเป็นจำนวนวันเต็มตั้งแต่ 1 ขึ้นไป: %1")
                                              .arg(o.value("--min-days")));
        if (const QString shop = o.value("--shop").trimmed(); !shop.isEmpty())
            request.shopCode = shop;
        const QString pdf = required(o, "--pdf");
        checkWritable(pdf);
        const DocumentTexts texts = textsToPrint(err);
        auto db = openDatabase(o.positional().first());
        if (o.has("--user"))
            db = signIn(std::move(db), o.value("--user"), err);
        const QList<ReminderLetter> letters = ReminderLettersOf(*db, request, texts);
        if (letters.isEmpty()) {
            const QString whom = request.shopCode ? QStringLiteral("ร้านค้า %1 ไม่มี").arg(*request.shopCode)
                                                  : QStringLiteral("ไม่มีร้านค้าที่มี");
            throw Failure(QStringLiteral("%1ใบแจ้งหนี้ค้างชำระเกินกำหนดตั้งแต่ %2 วันขึ้นไป ณ วันที่ %3 "
                                         "จึงไม่ได้เขียนแฟ้ม %4")
                              .arg(whom)
                              .arg(request.minDays)
                              .arg(request.asOf, pdf));
        }
        QList<Page> pages;
        for (const ReminderLetter& letter : letters)
            pages += ReminderLetterPages(letter, texts);
        writePdfFile(pdf, pages, QStringLiteral("หนังสือแจ้งเตือนการชำระเงิน ณ วันที่ ") + request.asOf);
        out << "พิมพ์หนังสือแจ้งเตือน " << letters.size() << " ฉบับ " << pages.size() << " หน้า ลงแฟ้ม " << pdf << "\n";
        return 0;
    });
}

namespace {

// export URL --report overview --year yyyy --pdf FILE: the year's page, as the
// overview window prints it, owed as of today on the database's clock.
int exportOverview(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const Options o(args, {});
    checkKnown(o, {QStringLiteral("--report"), QStringLiteral("--year"), QStringLiteral("--pdf"), QStringLiteral("--user")});
    if (o.positional().size() != 1)
        throw Failure(QStringLiteral("usage: costdesk-admin export URL --report overview --year yyyy --pdf FILE"), 2);
    const QString year = required(o, "--year");
    if (!IsBudgetYearText(year))
        throw Failure(QStringLiteral("ปีงบประมาณไม่ถูกต้อง (%1): ต้องเป็นปี พ.ศ. 4 หลัก เช่น 2570").arg(year), 2);
    const QString pdf = required(o, "--pdf");
    checkWritable(pdf);
    auto db = openDatabase(o.positional().first());
    if (o.has("--user"))
        db = signIn(std::move(db), o.value("--user"), err);
    const YearOverview::Figures figures = YearOverview::Compute(*db, year, CurrentDateText(db->serverNow()));
    writePdfFile(pdf, {YearOverviewPage(figures)}, YearOverview::DocumentTitle(figures));
    out << "บันทึกภาพรวมปีงบประมาณ " << year << " ลงแฟ้ม " << pdf << "\n";
    return 0;
}

} // namespace

int exportListing(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (Options(args, {}).value("--report") == QLatin1String("overview"))
        return run(err, [&] { return exportOverview(args, out, err); });
    return run(err, [&] {
        // Every listing comes from its description: its name, its fields as
        // options, its rows and its sheet.
        const QList<const ListingDescription*> listings = PeriodListings::all();
        const auto option = [](const ListingField& f) { return QStringLiteral("--") + f.key; };
        const auto either = [](const QStringList& words) { // "a, b หรือ c"
            return words.size() < 2 ? words.join(QString())
                                    : words.mid(0, words.size() - 1).join(QStringLiteral(", ")) +
                                          QStringLiteral(" หรือ ") + words.last();
        };
        QStringList names;
        QStringList known = {QStringLiteral("--report"), QStringLiteral("--xlsx"), QStringLiteral("--user")};
        // One usage line for the listings that take the same options.
        QStringList usageOptions;
        QList<QStringList> usageNames;
        for (const ListingDescription* l : listings) {
            names << l->name;
            QStringList fieldUsage;
            for (const ListingField& f : l->fields) {
                if (!known.contains(option(f)))
                    known << option(f);
                if (f.kind == ListingField::Kind::Date)
                    fieldUsage << option(f) + QStringLiteral(" dd/mm/yyyy");
                else
                    fieldUsage << QStringLiteral("[%1 %2]").arg(
                        option(f), f.kind == ListingField::Kind::Choice ? f.words.join(u'|') : f.placeholder);
            }
            const QString line = fieldUsage.join(u' ');
            if (const qsizetype same = usageOptions.indexOf(line); same >= 0) {
                usageNames[same] << l->name;
            } else {
                usageOptions << line;
                usageNames << QStringList{l->name};
            }
        }
        const Options o(args, {});
        checkKnown(o, known);
        if (o.positional().size() != 1) {
            QStringList usage;
            for (qsizetype i = 0; i < usageOptions.size(); ++i)
                usage << QStringLiteral("costdesk-admin export URL --report %1 %2 --xlsx FILE")
                             .arg(usageNames[i].join(u'|'), usageOptions[i]);
            usage << QStringLiteral("costdesk-admin export URL --report overview --year yyyy --pdf FILE");
            throw Failure(QStringLiteral("usage: ") + usage.join(QStringLiteral("\n       ")), 2);
        }
        const QString report = required(o, "--report");
        const ListingDescription* listing = PeriodListings::byName(report);
        if (!listing)
            throw Failure(QStringLiteral("ไม่รู้จักรายงาน %1: ใช้ %2").arg(report, either(names << QStringLiteral("overview"))), 2);
        // An option of another listing's field is refused, not ignored.
        QStringList foreign;
        QStringList takers;
        for (const QString& name : o.names()) {
            if (name == QLatin1String("--report") || name == QLatin1String("--xlsx") || name == QLatin1String("--user") ||
                listing->field(name.mid(2)))
                continue;
            foreign << name;
            for (const ListingDescription* l : listings)
                if (l->field(name.mid(2)) && !takers.contains(l->name))
                    takers << l->name;
        }
        if (!foreign.isEmpty())
            throw Failure(QStringLiteral("%1 ใช้ได้กับรายงาน %2 เท่านั้น")
                              .arg(foreign.join(QStringLiteral(" และ ")), either(takers)),
                          2);
        ListingValues values;
        for (const ListingField& f : listing->fields) {
            const QByteArray name = option(f).toLatin1();
            switch (f.kind) {
            case ListingField::Kind::Date:
                values.set(f.key, dateOption(o, name.constData()));
                break;
            case ListingField::Kind::Code:
                if (const QString code = o.value(name.constData()).trimmed(); !code.isEmpty())
                    values.set(f.key, code);
                break;
            case ListingField::Kind::CostType:
                if (o.has(name.constData()))
                    values.set(f.key, PeriodListings::CostCodeOfEntry(o.value(name.constData())));
                break;
            case ListingField::Kind::Choice: {
                const QString word = o.has(name.constData()) ? o.value(name.constData()) : f.words.value(0);
                if (!f.words.contains(word))
                    throw Failure(QStringLiteral("%1 ต้องเป็น %2").arg(option(f), either(f.words)), 2);
                values.set(f.key, word);
                break;
            }
            }
        }
        const QString xlsx = required(o, "--xlsx");
        checkWritable(xlsx);

        auto db = openDatabase(o.positional().first());
        if (o.has("--user"))
            db = signIn(std::move(db), o.value("--user"), err);
        const auto rows = std::make_shared<const ListingRows>(listing->rows(*db, values));
        if (rows->isEmpty())
            err << "costdesk-admin: ไม่มีข้อมูลที่ต้องการ (the sheet has its header only)\n";
        // The footer's moment by the database's clock, as the windows' exports.
        const SheetWriteResult result = WriteSheet(ListingSheet(*listing, values, rows, db->serverNow()), xlsx);
        if (!result.ok())
            throw Failure(result.message);
        out << "บันทึกรายงาน " << rows->size() << " แถวลงแฟ้ม " << xlsx << "\n";
        return 0;
    });
}

int issueMonthly(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        const Options o(args, {QStringLiteral("--dry-run")});
        checkKnown(o, {QStringLiteral("--month"), QStringLiteral("--due"), QStringLiteral("--user"),
                       QStringLiteral("--dry-run")});
        if (o.positional().size() != 1)
            throw Failure(QStringLiteral("usage: costdesk-admin issue-monthly URL --month mm/yyyy --due dd/mm/yyyy "
                                         "--user NAME [--dry-run]"),
                          2);
        const QString month = required(o, "--month");
        if (!MonthlyRun::IsMonthText(month))
            throw Failure(QStringLiteral("เดือนไม่ถูกต้อง (%1): ต้องเป็น ดด/ปปปป พ.ศ.").arg(month), 2);
        const QString due = dateOption(o, "--due");
        if (MonthlyRun::DueBeforeMonth(month, due))
            throw Failure(MonthlyRun::DueBeforeMonthText(month), 2);
        const QString user = required(o, "--user");
        const bool dryRun = o.has("--dry-run");

        auto db = signIn(openDatabase(o.positional().first()), user, err);
        requireRights(*db, user, Rights::kBilling, QStringLiteral("ออกใบแจ้งหนี้"));
        const QString today = CurrentDateText(db->serverNow());
        const InvoiceIssue::Issuer issuer{today, BudgetYearOf(today), user};

        const MonthlyRun::Plan plan = MonthlyRun::Prepare(*db, month, due);
        for (const QString& code : plan.unknownShops)
            err << "costdesk-admin: ไม่พบร้านค้า " << code << " ข้ามไป\n";
        // Every tenth shop is said on a long run, once its last part is done.
        QList<int> shopOf; // by part, its shop's place among the shops
        int shops = 0;
        for (const MonthlyRun::Part& p : plan.parts) {
            shops += p.part == 1 ? 1 : 0;
            shopOf << shops;
        }
        const auto passed = [&](qsizetype i) {
            const bool shopDone = i + 1 == plan.parts.size() || plan.parts.at(i + 1).part == 1;
            if (shopDone && shops > 20 && shopOf.at(i) % 10 == 0) {
                err << "ร้านค้า " << shopOf.at(i) << "/" << shops << "\n";
                err.flush();
            }
        };
        const auto listed = [&](const MonthlyRun::Part& p) {
            out << p.shop.code << "  " << p.shop.name << "  ส่วนที่ " << p.part << "  " << p.lines.size() << " รายการ  "
                << FormatAmount(p.total) << "\n";
        };

        if (dryRun) {
            for (qsizetype i = 0; i < plan.parts.size(); ++i) {
                if (!plan.parts.at(i).issuedNumber)
                    listed(plan.parts.at(i));
                passed(i);
            }
            out << "จะออกใบแจ้งหนี้ " << plan.toIssueCount() << " ฉบับ รวม " << FormatAmount(plan.toIssueTotal())
                << " บาท; ออกไปแล้วก่อนหน้านี้ " << plan.issuedBeforeCount() << " ฉบับ\n";
            return 0;
        }
        const MonthlyRun::RunResult run = MonthlyRun::IssueAll(*db, plan, issuer, [&](const MonthlyRun::Step& step) {
            const MonthlyRun::Part& p = step.part;
            if (step.result.kind == MonthlyRun::PartResult::Kind::Issued)
                out << step.result.number << "  " << p.shop.code << "  " << p.shop.name << "  " << FormatAmount(p.total)
                    << "\n";
            else if (step.result.kind == MonthlyRun::PartResult::Kind::Failed)
                err << "costdesk-admin: " << MonthlyRun::FailureText({p.shop.code, p.part, step.result.reason}) << "\n";
            passed(step.index);
            return true;
        });
        out << "ออกใบแจ้งหนี้ " << run.issued << " ฉบับ รวม " << FormatAmount(run.issuedTotal)
            << " บาท; ออกไปแล้วก่อนหน้านี้ " << run.issuedBefore << " ฉบับ\n";
        if (!run.failures.isEmpty())
            throw Failure(QStringLiteral("ออกไม่ได้ %1 ฉบับ").arg(run.failures.size()));
        return 0;
    });
}

int cancelInvoice(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        const Options o(args, {});
        checkKnown(o, {QStringLiteral("--user"), QStringLiteral("--reason")});
        if (o.positional().size() != 2)
            throw Failure(QStringLiteral("usage: costdesk-admin cancel-invoice URL NUMBER --user NAME --reason TEXT"), 2);
        const QString number = o.positional().at(1);
        const QString user = required(o, "--user");
        const QString reason = required(o, "--reason").trimmed();
        if (reason.isEmpty())
            throw Failure(QStringLiteral("ต้องระบุเหตุผลของการยกเลิก"), 2);
        auto db = signIn(openDatabase(o.positional().first()), user, err);
        // No window cancels an invoice: the administrator's alone.
        requireRights(*db, user, Rights::kAdministrator, QStringLiteral("ยกเลิกใบแจ้งหนี้"));
        const CancelTable::Result r = CancelTable::cancel(*db, number, user, reason, serverStamp(*db));
        switch (r.outcome) {
        case CancelTable::Outcome::Cancelled:
            out << "ยกเลิกใบแจ้งหนี้ " << number << " แล้ว\n";
            return 0;
        case CancelTable::Outcome::NotFound:
            throw Failure(QStringLiteral("ไม่พบใบแจ้งหนี้ %1").arg(number));
        case CancelTable::Outcome::NotIssued:
            break;
        }
        // Paid or remitted: the status word with "แล้ว"; a letter the program
        // never writes is shown as it is.
        const std::optional<InvoiceStatus> was = statusFromLetter(r.status);
        const QString why = was == InvoiceStatus::Cancelled ? QStringLiteral("ถูกยกเลิกไปแล้ว")
                            : was                           ? thaiWord(*was) + QStringLiteral("แล้ว")
                                                            : QStringLiteral("สถานะ ") + r.status;
        throw Failure(QStringLiteral("ใบแจ้งหนี้ %1 %2 ยกเลิกไม่ได้ (ยกเลิกได้เฉพาะใบที่ยังไม่ชำระเงิน)").arg(number, why));
    });
}

int importPayments(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        const Options o(args, {QStringLiteral("--dry-run")});
        checkKnown(o, {QStringLiteral("--user"), QStringLiteral("--dry-run")});
        if (o.positional().size() != 2)
            throw Failure(QStringLiteral("usage: costdesk-admin import-payments URL FILE --user NAME [--dry-run]"), 2);
        const QString user = required(o, "--user");
        auto db = signIn(openDatabase(o.positional().first()), user, err);
        requireRights(*db, user, Rights::kBilling, QStringLiteral("บันทึกการชำระเงิน"));
        PaymentImport::Preview preview =
            PaymentImport::PrepareFile(*db, o.positional().at(1), settingsTexts().billerId);
        if (!preview.ok())
            throw Failure(preview.refusal);

        QString said;
        if (preview.importedBefore) {
            said = PaymentImport::ImportedBeforeText(*preview.importedBefore);
        } else if (!o.has("--dry-run")) {
            said = PaymentImport::Record(*db, preview, user, serverStamp(*db)).message;
        }
        // The outcome of every record, as the window's preview lists it,
        // tab-separated; its counts and sums last.
        const ListingRows rows = PaymentImport::PreviewRows(preview);
        QStringList header;
        for (const ListingColumn& c : PaymentImport::PreviewListing().columns)
            header << c.caption;
        out << header.join(QLatin1Char('\t')) << '\n';
        for (int r = 0; r < rows.size(); ++r) {
            QStringList cells;
            for (int c = 0; c < rows.columns(); ++c)
                cells << rows.shownText(r, c);
            out << cells.join(QLatin1Char('\t')) << '\n';
        }
        if (o.has("--dry-run") && !preview.importedBefore)
            said = QStringLiteral("ตรวจสอบอย่างเดียว (--dry-run): ยังไม่ได้บันทึก");
        out << said << '\n';
        return 0;
    });
}

int addLocation(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 3)
            throw Failure(QStringLiteral("usage: costdesk-admin add-location URL CODE NAME"), 2);
        const CafeteriaTable::Location location{args.at(1).trimmed(), args.at(2).trimmed()};
        if (location.code.isEmpty() || location.code.size() > 10)
            throw Failure(QStringLiteral("รหัสสถานที่ต้องมี 1 ถึง 10 ตัวอักษร: %1").arg(args.at(1)), 2);
        // The shop register's location field holds 50 characters.
        if (location.name.isEmpty() || location.name.size() > 50)
            throw Failure(QStringLiteral("ชื่อสถานที่ต้องมี 1 ถึง 50 ตัวอักษร: %1").arg(args.at(2)), 2);
        auto db = openDatabase(args.at(0));
        switch (CafeteriaTable::addLocation(*db, location)) {
        case CafeteriaTable::AddLocation::Added:
            break;
        case CafeteriaTable::AddLocation::CodeTaken:
            throw Failure(QStringLiteral("รหัสสถานที่ %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(location.code), 2);
        case CafeteriaTable::AddLocation::NameTaken:
            throw Failure(QStringLiteral("สถานที่ %1 มีในระบบแล้ว ไม่สามารถเพิ่มได้").arg(location.name), 2);
        }
        out << "เพิ่มสถานที่ " << location.code << " " << location.name << " แล้ว\n";
        return 0;
    });
}

int listLocations(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 1)
            throw Failure(QStringLiteral("usage: costdesk-admin list-locations URL"), 2);
        auto db = openDatabase(args.at(0));
        const QList<CafeteriaTable::Location> list = CafeteriaTable::locations(*db);
        if (list.isEmpty())
            err << "costdesk-admin: ยังไม่มีสถานที่ตั้งร้านค้า (costdesk-admin add-location URL CODE NAME)\n";
        for (const CafeteriaTable::Location& l : list)
            out << l.code << '\t' << l.name << '\n';
        return 0;
    });
}

int addCostType(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(err, [&] {
        if (args.size() != 3)
            throw Failure(QStringLiteral("usage: costdesk-admin add-cost-type URL CODE NAME"), 2);
        // As the cost type window takes them: the code without blanks around
        // it, at most 3 characters, the name at most 200.
        const CostType costType{TrimSpaces(args.at(1)), args.at(2).trimmed()};
        if (costType.code.isEmpty() || costType.code.size() > 3)
            throw Failure(QStringLiteral("รหัสค่าใช้จ่ายต้องมี 1 ถึง 3 ตัวอักษร: %1").arg(args.at(1)), 2);
        if (costType.name.isEmpty() || costType.name.size() > 200)
            throw Failure(QStringLiteral("ชื่อค่าใช้จ่ายต้องมี 1 ถึง 200 ตัวอักษร"), 2);
        auto db = openDatabase(args.at(0));
        if (CostTypeTable::findByCode(*db, costType.code)
            || CostTypeTable::insert(*db, costType) == WriteResult::DuplicateKey)
            throw Failure(QStringLiteral("รหัสค่าใช้จ่ายนี้มีในระบบแล้ว ไม่สามารถเพิ่มได้"), 2);
        out << "เพิ่มค่าใช้จ่าย " << costType.code << " " << costType.name << " แล้ว\n";
        return 0;
    });
}

} // namespace AdminCommands
