// Times the reminder letters of 5,000 shops written to one PDF, as
// costdesk-admin print-reminders and the overdue listing's preview make them
// (ReminderPages: the overdue invoices read, grouped and laid out, then every
// page painted by PagePainter::writePdf), next to a floor measured in the
// same run: the same number of pages, each with one Thai text, painted to a
// PDF by the same painter. Goal: at most 10 ms a page.
//
//   bench_reminder_letters [--shops N] [--runs R] [--engine sqlite|postgresql] [--pg URL] [--out DIR]
//
// Most shops owe one to a dozen invoices, one in a hundred forty (a letter
// of two pages). --out DIR keeps a sample: the letters of the first ten shops
// and of the first shop of forty.
#include "billing/ReminderLetters.h"
#include "core/ThaiDate.h"
#include "data/Cafeterias.h"
#include "data/Invoices.h"
#include "print/PageFonts.h"
#include "print/PagePainter.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <stdexcept>

#include "BenchListing.h"

namespace {

QTextStream out(stdout);

const QString kAsOf = QStringLiteral("08/12/2569");

int invoicesOfShop(int shop)
{
    return shop % 100 == 99 ? 40 : 1 + (shop * 7) % 12;
}

// The shops and their unpaid invoices, all past due on kAsOf, and as many
// paid ones that the letters leave out; returns the unpaid count.
int fill(Database& db, int shops)
{
    Database::Transaction transaction(db);
    int number = 0, unpaid = 0;
    for (int s = 0; s < shops; ++s) {
        CafeteriaTable::Shop shop;
        shop.code = QStringLiteral("CF2569%1").arg(s, 4, 10, QLatin1Char('0'));
        shop.name = QStringLiteral("ร้าน%1 สาขา %2").arg(benchnames::kFirstNames.at(s % 12)).arg(s);
        shop.surName = benchnames::kTitles.at(s % benchnames::kTitles.size());
        shop.firstName = benchnames::kFirstNames.at((s / 12) % 12);
        shop.lastName = benchnames::kLastNames.at(s % benchnames::kLastNames.size());
        shop.location = benchnames::kPlaces.at(s % benchnames::kPlaces.size());
        CafeteriaTable::insertShop(db, shop);
        const int owed = invoicesOfShop(s);
        for (int i = 0; i < 2 * owed; ++i) {
            Invoice v;
            v.number = QStringLiteral("%1/%2").arg(2566 + number / 99999).arg(number % 99999 + 1, 5, 10, QLatin1Char('0'));
            ++number;
            // The 15th of a month, one month back for each pair, all before kAsOf.
            const QDate due = QDate(2026, 12, 15).addMonths(-(1 + i / 2));
            v.dateMustPay = QStringLiteral("15/%1/%2").arg(due.month(), 2, 10, QLatin1Char('0')).arg(due.year() + 543);
            v.dateMustPayNum = DisplayToSortDate(v.dateMustPay);
            v.dateEntry = QStringLiteral("01") + v.dateMustPay.mid(2);
            v.dateEntryNum = DisplayToSortDate(v.dateEntry);
            v.timeEntry = QStringLiteral("10:00:00");
            v.userEntry = QStringLiteral("clerk");
            v.cafeteriaCode = shop.code;
            v.surName = shop.surName;
            v.firstName = shop.firstName;
            v.lastName = shop.lastName;
            v.cafeteriaAddress = shop.location;
            v.payTotal = Money::fromSatang(150000 + (number * 7919) % 900000);
            v.status = i % 2 == 0 ? QStringLiteral("A") : QStringLiteral("P");
            if (i % 2 == 0)
                ++unpaid;
            InvoiceTable::insert(db, v);
        }
    }
    transaction.commit();
    return unpaid;
}

// The floor's pages: one Thai text each.
QList<Page> plainPages(qsizetype count)
{
    Page page;
    page.addText(QRectF(20, 20, 170, 7), QStringLiteral("ขอให้ชำระเงินค่าใช้จ่ายที่ค้างชำระ"), ThaiStyle(14));
    return QList<Page>(count, page);
}

struct Line {
    QString what;
    qsizetype letters = 0, pages = 0;
    Figure figure, floor;
    double layoutMs = 0, pdfMs = 0; // the figure's last run, in its two parts
};
QList<Line> lines;

void benchEngine(Database& db, const QString& engine, int shops, int runs, const QString& outDir)
{
    QElapsedTimer timer;
    timer.start();
    const int unpaid = fill(db, shops);
    if (engine == QLatin1String("PostgreSQL"))
        db.execute(QStringLiteral("ANALYZE"));
    out << engine << ": " << shops << " shops, " << unpaid << " unpaid invoices (as many paid) written in "
        << timer.elapsed() << " ms\n";
    out.flush();

    DocumentTexts texts = DocumentTexts::defaults();
    texts.billerId = QStringLiteral("099400016550100");
    const ReminderRequest request{kAsOf, 1, std::nullopt};
    QTemporaryDir scratch;
    const QString pdf = scratch.filePath(QStringLiteral("letters.pdf"));

    Line line;
    line.what = engine;
    line.letters = ReminderLettersOf(db, request, texts).size();
    line.pages = ReminderPages(db, request, texts).size();
    if (line.letters != shops)
        throw std::runtime_error("not one letter per shop");
    // Warm the fonts once, outside the clock.
    PagePainter::writePdf(pdf, plainPages(1));

    QList<Page> pages;
    const auto figure = [&] {
        return sampleOnce([] {},
                          [&] {
                              QElapsedTimer part;
                              part.start();
                              pages = ReminderPages(db, request, texts);
                              line.layoutMs = part.nsecsElapsed() / 1e6;
                              part.restart();
                              if (!PagePainter::writePdf(pdf, pages, QStringLiteral("หนังสือแจ้งเตือน")))
                                  throw std::runtime_error("PDF not written");
                              line.pdfMs = part.nsecsElapsed() / 1e6;
                          },
                          [&] { pages.clear(); });
    };
    QList<Page> plain;
    const auto floor = [&] {
        return sampleOnce([&] { plain = plainPages(line.pages); },
                          [&] {
                              if (!PagePainter::writePdf(pdf, plain))
                                  throw std::runtime_error("PDF not written");
                          },
                          [&] { plain.clear(); });
    };
    std::tie(line.figure, line.floor) = measurePair(runs, figure, floor);
    lines << line;

    if (!outDir.isEmpty()) {
        QList<Page> sample;
        const QList<ReminderLetter> letters = ReminderLettersOf(db, request, texts);
        for (qsizetype i = 0; i < letters.size() && i < 100; ++i) {
            if (i < 10 || letters[i].rows.size() > 20)
                sample += ReminderLetterPages(letters[i], texts);
        }
        const QString path = QDir(outDir).filePath(engine.toLower() + QStringLiteral("-letters.pdf"));
        PagePainter::writePdf(path, sample);
        out << "sample written to " << path << "\n";
    }
}

bool printTable()
{
    constexpr double kGoalMsPerPage = 10.0;
    bool met = true;
    const auto num = [](double v, int decimals = 1) { return QString::number(v, 'f', decimals).rightJustified(10); };
    out << "\n"
        << QStringLiteral("engine").leftJustified(12) << QStringLiteral("letters").rightJustified(8)
        << QStringLiteral("pages").rightJustified(7) << QStringLiteral("best ms").rightJustified(10)
        << QStringLiteral("median ms").rightJustified(10) << QStringLiteral("ms/page").rightJustified(10)
        << QStringLiteral("floor ms").rightJustified(10) << QStringLiteral("floor/pg").rightJustified(10)
        << QStringLiteral("ratio").rightJustified(10) << QStringLiteral("MiB").rightJustified(10)
        << QStringLiteral("floor MiB").rightJustified(10) << QStringLiteral("result").rightJustified(8) << "\n";
    for (const Line& l : lines) {
        const double perPage = l.figure.medianMs / double(l.pages);
        const bool ok = perPage <= kGoalMsPerPage;
        met = met && ok;
        out << l.what.leftJustified(12) << QString::number(l.letters).rightJustified(8)
            << QString::number(l.pages).rightJustified(7) << num(l.figure.bestMs, 0) << num(l.figure.medianMs, 0)
            << num(perPage, 2) << num(l.floor.medianMs, 0) << num(l.floor.medianMs / double(l.pages), 2)
            << num(l.figure.medianMs / l.floor.medianMs, 2) << num(l.figure.medianMiB) << num(l.floor.medianMiB)
            << (ok ? QStringLiteral("pass") : QStringLiteral("FAIL")).rightJustified(8) << "\n";
        out << QString(12, QLatin1Char(' ')) << "last run: read and layout " << qRound(l.layoutMs) << " ms, PDF "
            << qRound(l.pdfMs) << " ms\n";
    }
    out << "ms: median elapsed of reading, laying out and painting every letter into one PDF; floor: the same\n"
           "number of pages with one Thai text each painted into one PDF. MiB: peak heap during the step over\n"
           "its start. goal: at most "
        << kGoalMsPerPage << " ms a page\n"
        << (met ? "all goals met\n" : "some goals missed\n");
    return met;
}

} // namespace

int main(int argc, char** argv)
{
    PaintOffscreenUnlessSet();
    QGuiApplication app(argc, argv);
    const OptionReader option = OptionsOf(app.arguments());
    const int shops = CountOption(option, QStringLiteral("--shops"), 5000);
    const int runs = CountOption(option, QStringLiteral("--runs"), 3);
    const QString outDir = option(QStringLiteral("--out")).value_or(QString());
    if (!outDir.isEmpty())
        QDir().mkpath(outDir);
    return RunAndPrint(
        out, option,
        [&](Database& db, const QString& engine) { benchEngine(db, engine, shops, runs, outDir); }, printTable,
        QStringLiteral("%1 runs each, figure and floor alternating").arg(runs));
}
