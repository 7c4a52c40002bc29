// Times the spreadsheet export of a long listing, and its peak memory, next
// to a floor measured in the same run: the same cells written through the
// same library in constant-memory mode with no formatting at all.
//
//   bench_export [--rows N] [--runs R] [--out FILE]
//
// Each measurement runs in a child process of its own (this program started
// again with --child), so that one run's peak memory cannot hide another's.
// The listing's typed rows (the "grid") exist before the clock starts, as
// they do in the report window; "peak over grid" is the export's own memory,
// "peak" the whole process's.
// A third line, for information, has the library write the export's cells
// with the export's formats: it parts the program's own cost from the cost
// of the formatting.
#include "billing/ListingSheet.h"
#include "billing/PeriodListings.h"
#include "core/Money.h"
#include "xlsx/SheetWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <xlsxwriter.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// VmRSS or VmHWM of this process, in kB.
qint64 statusKb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A cost-detail listing: a heading row per cost type, line rows with the
// invoice's dates, a subtotal per cost type, a total.
std::shared_ptr<const ListingRows> makeRows(int rows)
{
    const QStringList titles = {"นาย", "นาง", "นางสาว"};
    const QStringList firsts = {"สมชาย", "สมใจ", "มาลี", "ประเสริฐ", "วิไลวรรณ", "ธีรศักดิ์", "กาญจนา", "สุรเชษฐ์"};
    const QStringList lasts = {"ใจงาม", "รักษ์ดี", "ศรีสุข", "วงศ์สวัสดิ์", "ทองประเสริฐ", "บุญมา", "แก้วมณี"};
    const QStringList statuses = {"ออกใบแจ้งหนี้", "บันทึกชำระเงิน", "บันทึกนำส่งเงิน", "ยกเลิก"};
    const QStringList costTypes = {"001  ค่าเช่าพื้นที่", "002  ค่าไฟฟ้า", "003  ค่าน้ำประปา", "004  ค่าบริการส่วนกลาง"};
    QRandomGenerator rng(2569);
    auto date = [&](int month) {
        return QStringLiteral("%1/%2/2569").arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
    };

    auto listing = std::make_shared<ListingRows>(int(PeriodListings::costDetail().columns.size()));
    listing->reserve(rows);
    const int perType = std::max(1, (rows - 1) / int(costTypes.size()) - 2);
    Money sum, total;
    int number = 0;
    auto addSum = [&](RowKind kind, const QString& label, Money amount) {
        listing->addRow(kind);
        listing->setText(3, label);
        listing->setMoney(4, amount);
    };
    while (listing->size() < rows - 1) {
        const QString& type = costTypes[(listing->size() / (perType + 2)) % costTypes.size()];
        listing->addRow(RowKind::Heading);
        listing->setText(1, type);
        for (int i = 0; i < perType && listing->size() < rows - 2; ++i) {
            ++number;
            const Money amount = Money::fromSatang(rng.bounded(100, 5000000));
            sum += amount;
            const int status = rng.bounded(4);
            const bool paid = status == 1 || status == 2;
            listing->addRow();
            listing->setInteger(0, number);
            listing->setText(1, QStringLiteral("2570/%1").arg(number, 5, 10, QLatin1Char('0')));
            listing->setDate(2, date(11));
            listing->setText(3, titles[rng.bounded(3)] + firsts[rng.bounded(8)] + u' ' + lasts[rng.bounded(7)]);
            listing->setMoney(4, amount);
            listing->setText(5, statuses[status]);
            listing->setDate(6, paid ? date(12) : QString());
            listing->setText(7, status == 2 ? QStringLiteral("RV%1").arg(rng.bounded(1, 999), 4, 10, QLatin1Char('0')) : QString());
            listing->setDate(8, status == 2 ? date(12) : QString());
        }
        addSum(RowKind::Subtotal, QStringLiteral("รวม"), sum);
        total += sum;
        sum = Money();
    }
    addSum(RowKind::Total, QStringLiteral("รวมทั้งสิ้น"), total);
    return listing;
}

ListingValues november()
{
    ListingValues range;
    range.set(QStringLiteral("from"), QStringLiteral("01/11/2569"));
    range.set(QStringLiteral("to"), QStringLiteral("30/11/2569"));
    return range;
}

// The floor: the cells already as the library takes them, no formats.
struct FloorCell {
    bool number = false;
    double value = 0;
    std::string text;
    int format = -1;  // the formatted floor only: index into the sheet's formats
    bool blank = false;
};

double writeFloor(const std::vector<std::vector<FloorCell>>& cells, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    for (size_t r = 0; r < cells.size(); ++r) {
        for (size_t c = 0; c < cells[r].size(); ++c) {
            const FloorCell& cell = cells[r][c];
            if (cell.number)
                worksheet_write_number(ws, lxw_row_t(r), lxw_col_t(c), cell.value, nullptr);
            else if (!cell.text.empty())
                worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), cell.text.c_str(), nullptr);
        }
    }
    if (workbook_close(wb) != LXW_NO_ERROR)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

// For information: the library writing exactly the export's cells with the
// export's formats, everything else done before the clock starts. What the
// export takes beyond this is the program's own work; what this takes beyond
// the floor is the cost of the formatting itself.
struct FormattedFloor {
    SheetDescription sheet;
    std::vector<std::vector<FloorCell>> cells;  // per sheet row
    std::vector<std::pair<int, int>> order;     // per sheet row: its index and style
    std::vector<size_t> formatOrder;            // most used first, as the writer numbers them
};

FloorCell floorCell(const CellValue& v, int format)
{
    FloorCell cell;
    cell.format = format;
    cell.number = v.type == CellValue::Type::Number;
    cell.blank = v.type == CellValue::Type::Blank;
    cell.value = v.number;
    cell.text = v.text.toStdString();
    return cell;
}

FormattedFloor prepareFormattedFloor(const std::shared_ptr<const ListingRows>& rows)
{
    FormattedFloor f;
    f.sheet = ListingSheet(PeriodListings::costDetail(), november(), rows);
    const SheetBlock& block = f.sheet.block;
    auto add = [&](int index, int styleIndex, qsizetype values) {
        const RowStyle* style = styleIndex >= 0 ? &f.sheet.rowStyles[styleIndex] : nullptr;
        const qsizetype columns = std::max(values, style ? style->cellFormats.size() : 0);
        std::vector<FloorCell> line;
        for (qsizetype c = 0; c < columns; ++c)
            line.push_back(floorCell(c < values ? f.sheet.value(index, int(c)) : CellValue(),
                                     style ? style->formatOf(int(c)) : -1));
        f.cells.push_back(std::move(line));
        f.order.push_back({index, styleIndex});
    };
    qsizetype next = 0;
    for (; next < f.sheet.rows.size() && f.sheet.rows[next].index < block.firstRow; ++next)
        add(f.sheet.rows[next].index, f.sheet.rows[next].style, f.sheet.rows[next].values.size());
    for (int r = 0; r < block.rowCount(); ++r)
        add(block.firstRow + r, block.style(r), block.source->columnCount());
    for (; next < f.sheet.rows.size(); ++next)
        add(f.sheet.rows[next].index, f.sheet.rows[next].style, f.sheet.rows[next].values.size());
    f.formatOrder = FormatsByUse(f.sheet);
    return f;
}

double writeFormattedFloor(const FormattedFloor& f, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, f.sheet.name.toUtf8().constData());
    std::vector<lxw_format*> formats;
    for (const CellFormat& format : f.sheet.formats)
        formats.push_back(AddWorkbookFormat(wb, format));
    for (size_t i : f.formatOrder)
        lxw_format_get_xf_index(formats[i]);
    for (size_t r = 0; r < f.cells.size(); ++r) {
        const auto [rowIndex, styleIndex] = f.order[r];
        const lxw_row_t index = lxw_row_t(rowIndex);
        if (styleIndex >= 0) {
            const RowStyle& style = f.sheet.rowStyles[styleIndex];
            if (style.height > 0 || style.rowFormat >= 0)
                worksheet_set_row(ws, index, style.height > 0 ? style.height : LXW_DEF_ROW_HEIGHT,
                                  style.rowFormat >= 0 ? formats[size_t(style.rowFormat)] : nullptr);
        }
        for (size_t c = 0; c < f.cells[r].size(); ++c) {
            const FloorCell& cell = f.cells[r][c];
            lxw_format* format = cell.format >= 0 ? formats[size_t(cell.format)] : nullptr;
            if (cell.number)
                worksheet_write_number(ws, index, lxw_col_t(c), cell.value, format);
            else if (!cell.blank)
                worksheet_write_string(ws, index, lxw_col_t(c), cell.text.c_str(), format);
            else if (format)
                worksheet_write_blank(ws, index, lxw_col_t(c), format);
        }
    }
    if (workbook_close(wb) != LXW_NO_ERROR)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

int child(const QString& kind, int rows, const QString& path)
{
    const std::shared_ptr<const ListingRows> grid = makeRows(rows);
    QTextStream out(stdout);
    double ms = -1;
    qint64 baseline = 0;
    if (kind == QLatin1String("floor")) {
        std::vector<std::vector<FloorCell>> cells;
        cells.reserve(size_t(grid->size()) + 1);
        cells.push_back({});
        for (const ListingColumn& column : PeriodListings::costDetail().columns)
            cells.back().push_back({false, 0, column.caption.toStdString()});
        for (int r = 0; r < grid->size(); ++r) {
            std::vector<FloorCell> line;
            for (int c = 0; c < grid->columns(); ++c) {
                const ValueKind k = grid->kind(r, c);
                if (k == ValueKind::Money || k == ValueKind::Integer)
                    line.push_back({true, k == ValueKind::Money ? grid->money(r, c).toDouble() : double(grid->integer(r, c)), {}});
                else
                    line.push_back({false, 0, grid->shownText(r, c).toStdString()});
            }
            cells.push_back(std::move(line));
        }
        baseline = statusKb("VmRSS:");
        ms = writeFloor(cells, path);
    } else if (kind == QLatin1String("formatted")) {
        const FormattedFloor prepared = prepareFormattedFloor(grid);
        baseline = statusKb("VmRSS:");
        ms = writeFormattedFloor(prepared, path);
    } else {
        baseline = statusKb("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        const SheetDescription sheet = ListingSheet(PeriodListings::costDetail(), november(), grid);
        SheetWriteOptions options;
        qint64 calls = 0;
        options.progress = [&](qint64, qint64) { return ++calls > 0; };
        const SheetWriteResult result = WriteSheet(sheet, path, options);
        if (!result.ok()) {
            QTextStream(stderr) << result.message << Qt::endl;
            return 1;
        }
        ms = timer.nsecsElapsed() / 1e6;
    }
    out << ms << ' ' << baseline << ' ' << statusKb("VmHWM:") << ' ' << QFile(path).size() << Qt::endl;
    return 0;
}

struct Run {
    double ms = 0;
    qint64 baselineKb = 0, peakKb = 0, bytes = 0;
};

Run runChild(const QString& kind, int rows, const QString& path)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--child"), kind, QString::number(rows), path});
    p.waitForFinished(-1);
    const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || f.size() != 4) {
        QTextStream(stderr) << kind << " run failed: " << p.readAllStandardError() << Qt::endl;
        return {-1, 0, 0, 0};
    }
    return {f[0].toDouble(), f[1].toLongLong(), f[2].toLongLong(), f[3].toLongLong()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--child"))
        return child(args[2], args[3].toInt(), args[4]);

    auto option = [&](const char* name, const QString& fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
    };
    const int rows = option("--rows", QStringLiteral("100000")).toInt();
    const int runs = option("--runs", QStringLiteral("5")).toInt();
    const QString keep = option("--out", QString());

    QTemporaryDir dir;
    const QString exportPath = keep.isEmpty() ? dir.filePath(QStringLiteral("export.xlsx")) : keep;
    const QString floorPath = dir.filePath(QStringLiteral("floor.xlsx"));
    const QString formattedPath = dir.filePath(QStringLiteral("formatted.xlsx"));

    // Alternate the three so that all see the same machine load.
    QList<Run> exports, floors, formatted;
    for (int i = 0; i < runs; ++i) {
        floors.append(runChild(QStringLiteral("floor"), rows, floorPath));
        exports.append(runChild(QStringLiteral("export"), rows, exportPath));
        formatted.append(runChild(QStringLiteral("formatted"), rows, formattedPath));
    }
    // Each run's ratio to the floor run beside it: a machine whose speed
    // drifts moves both sides of a pair alike.
    QList<double> pairRatios;
    for (int i = 0; i < runs; ++i)
        if (exports[i].ms > 0 && floors[i].ms > 0)
            pairRatios.append(exports[i].ms / floors[i].ms);
    std::sort(pairRatios.begin(), pairRatios.end());
    auto byTime = [](const Run& a, const Run& b) { return a.ms < b.ms; };
    std::sort(exports.begin(), exports.end(), byTime);
    std::sort(floors.begin(), floors.end(), byTime);
    std::sort(formatted.begin(), formatted.end(), byTime);
    const Run e = exports[exports.size() / 2], f = floors[floors.size() / 2], g = formatted[formatted.size() / 2];
    auto maxPeak = [](const QList<Run>& list) {
        qint64 over = 0, total = 0;
        for (const Run& r : list) {
            over = std::max(over, r.peakKb - r.baselineKb);
            total = std::max(total, r.peakKb);
        }
        return std::pair(over / 1024.0, total / 1024.0);
    };
    const auto [eOver, eTotal] = maxPeak(exports);
    const auto [fOver, fTotal] = maxPeak(floors);
    const auto [gOver, gTotal] = maxPeak(formatted);

    QTextStream out(stdout);
    out << "Export of a " << rows << "-row x 9-column cost-detail listing, " << runs << " runs each (median time; worst peak)\n\n";
    out << qSetFieldWidth(0);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QStringLiteral("what"), -34)
               .arg(QStringLiteral("best ms"), 9)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("peak over grid MB"), 18)
               .arg(QStringLiteral("peak MB"), 8)
               .arg(QStringLiteral("file MB"), 8);
    auto line = [&](const QString& what, const QList<Run>& list, const Run& median, double over, double total) {
        out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                   .arg(what, -34)
                   .arg(list.first().ms, 9, 'f', 0)
                   .arg(median.ms, 10, 'f', 0)
                   .arg(over, 18, 'f', 1)
                   .arg(total, 8, 'f', 1)
                   .arg(median.bytes / 1048576.0, 8, 'f', 1);
    };
    line(QStringLiteral("floor: same cells, no formats"), floors, f, fOver, fTotal);
    line(QStringLiteral("export: build sheet + write file"), exports, e, eOver, eTotal);
    line(QStringLiteral("info: same cells, export formats"), formatted, g, gOver, gTotal);
    out << "\nratio export/floor (median): " << QString::number(e.ms / f.ms, 'f', 2) << "   goal <= 1.30\n";
    if (!pairRatios.isEmpty())
        out << "ratio export/floor, run by run: median " << QString::number(pairRatios[pairRatios.size() / 2], 'f', 2)
            << " (" << QString::number(pairRatios.first(), 'f', 2) << " to " << QString::number(pairRatios.last(), 'f', 2)
            << ")\n";
    out << "(for information: export / same cells with its formats "
        << QString::number(e.ms / g.ms, 'f', 2) << ", those / floor " << QString::number(g.ms / f.ms, 'f', 2)
        << ")\n";
    out << "export median: " << QString::number(e.ms / 1000, 'f', 2) << " s   goal <= 1.5 s\n";
    out << "export peak over grid: " << QString::number(eOver, 'f', 1) << " MB   goal <= 50 MB\n";
    return 0;
}
