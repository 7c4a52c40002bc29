// The export's measures of its font against the font itself, as a reader on
// this machine finds it by the workbook font's name: no text may measure
// wider than the export reckons, and no column may be narrower than its
// widest text.
#include "TypedRows.h"

#include "billing/ListingSheet.h"
#include "billing/PeriodListings.h"
#include "core/Money.h"
#include "xlsx/ReportSheet.h"
#include "xlsx/SheetFont.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <QTest>

namespace {

// The font at `pixels` pixels an em, unhinted: its advances in exact units.
QFont sheetFont(int pixels)
{
    QFont f(SheetFont::kName);
    f.setPixelSize(pixels);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QStringList kTexts = {
    QStringLiteral("เลขที่ใบแจ้งหนี้"), QStringLiteral("วันที่ออกใบแจ้งหนี้"), QStringLiteral("วันที่ชำระเงินที่ธนาคาร"),
    QStringLiteral("ชื่อผู้ประกอบการ"), QStringLiteral("สถานะใบแจ้งหนี้"), QStringLiteral("บันทึกนำส่งเงิน"),
    QStringLiteral("นางสาวกัญญ์ณัฏฐ์ ศรีสุขสวัสดิ์วงศ์"), QStringLiteral("นายปิ่นเกล้า ฟ้าประทานพร"),
    QStringLiteral("ร้านป้าแดง ข้าวแกงปักษ์ใต้ (สาขา ๒)"), QStringLiteral("ฤๅษี ฦๅ ฯลฯ ๆ ๏ ๚ ๛"),
    QStringLiteral("001  ค่าเช่าพื้นที่และสิ่งปลูกสร้าง"), QStringLiteral("รวมทั้งสิ้น "),
    QStringLiteral("รายงานการชำระเงินเข้าธนาคารของแต่ละร้านค้าแยกตามรายละเอียด"),
    QStringLiteral("ตั้งแต่วันที่ :01/12/2569   ถึงวันที่  :31/12/2569"),
    QStringLiteral("(1,999,999,999.99)"), QStringLiteral("2570/00001"), QStringLiteral("RV-2570/0012"),
    QStringLiteral("WAVE Tea & Coffee, AVA's"),
};

// A cell's text as the sheet shows it: the amount format pads a positive
// amount on the right by the width of ")" and bounds a negative one in
// parentheses.
QString shownText(const QString& typed, bool amount)
{
    const CellValue v = ClassifyTypedText(typed);
    if (v.type != CellValue::Type::Number || !amount)
        return v.text.isEmpty() && v.type == CellValue::Type::Number ? typed : v.text;
    const QString text = FormatAmount(Money::fromSatang(qRound64(std::abs(v.number) * 100)));
    return v.number < 0 ? u'(' + text + u')' : text + u')';
}

} // namespace

class TestSheetFont : public QObject {
    Q_OBJECT
private slots:
    // The name finds a font with the Thai letters and digits.
    void theNameFindsThaiGlyphs()
    {
        const QRawFont raw = QRawFont::fromFont(sheetFont(100));
        QVERIFY2(raw.isValid(), qPrintable(QFontInfo(sheetFont(100)).family()));
        for (const char32_t c : {U'ก', U'ฮ', U'ญ', U'๙', U'0', U'A'})
            QVERIFY2(raw.supportsCharacter(c), qPrintable(raw.familyName()));
    }

    // Every character, every line height and every realistic text measures
    // at most what the export reckons.
    void measuresAreNeverShort()
    {
        const QFontMetricsF fm(sheetFont(1000));
        for (char32_t c = 0x20; c <= 0x0E5B; c = c == 0x7E ? 0x0E01 : c + 1) {
            if (QChar::category(c) == QChar::Mark_NonSpacing || QChar::category(c) == QChar::Other_NotAssigned)
                continue;
            const QString s = QString::fromUcs4(&c, 1);
            QVERIFY2(fm.horizontalAdvance(s) <= SheetFont::advance(c) + 0.5,
                     qPrintable(QStringLiteral("U+%1: %2 > %3").arg(quint32(c), 4, 16, QLatin1Char('0'))
                                    .arg(fm.horizontalAdvance(s)).arg(SheetFont::advance(c))));
        }
        double widestDigit = 0;
        for (char c = '0'; c <= '9'; ++c)
            widestDigit = std::max(widestDigit, fm.horizontalAdvance(QLatin1Char(c)));
        QCOMPARE(qRound(SheetFont::digitWidthEm() * 1000), qRound(widestDigit));
        QVERIFY(SheetFont::lineHeightEm() * 1000 >= fm.ascent() + fm.descent() - 0.5);

        for (const QString& text : kTexts) {
            const double shaped = fm.horizontalAdvance(text);
            QVERIFY2(shaped <= SheetFont::widthEm(text) * 1000 + 0.5,
                     qPrintable(QStringLiteral("%1: %2 > %3").arg(text).arg(shaped).arg(SheetFont::widthEm(text) * 1000)));
        }
        // Marks above and below take no width of their own.
        QCOMPARE(SheetFont::widthEm(u"กั้"), SheetFont::widthEm(u"ก"));
        QCOMPARE(SheetFont::widthEm(u"ฏุ"), SheetFont::widthEm(u"ฏ"));
    }

    // Measured with the font itself, every column of a sheet holds its widest
    // text with at least a character to spare.
    void columnsHoldTheirWidestText()
    {
        struct {
            QStringList headers;
            QList<QStringList> rows;
        } grid;
        grid.headers = {"No", "เลขที่ใบแจ้งหนี้", "วันที่ออกใบแจ้งหนี้", "ชื่อผู้ประกอบการ", "จำนวนเงิน",
                        "สถานะใบแจ้งหนี้", "วันที่ชำระเงิน", "เลขที่ใบนำส่ง", "วันที่ใบนำส่ง"};
        grid.rows = {
            {"", "001  ค่าเช่าพื้นที่และสิ่งปลูกสร้าง", "", "", "", "", "", "", ""},
            {"1", "2570/00001", "01/12/2569", "นางสาวกัญญ์ณัฏฐ์ ศรีสุขสวัสดิ์วงศ์", "999,999,999.99", "บันทึกนำส่งเงิน",
             "05/12/2569", "RV-2570/0012", "10/12/2569"},
            {"2", "2570/00002", "01/12/2569", "ร้านป้าแดง ข้าวแกงปักษ์ใต้ (สาขา ๒)", "-12,345,678.90", "ยกเลิก", "", "", ""},
            {"", "", "", "รวม", "987,654,321.09", "", "", "", ""},
            {"", "", "", "รวมทั้งสิ้น", "1,987,654,321.09", "", "", "", ""},
        };
        const ListingDescription& listing = PeriodListings::costDetail();
        ListingValues range;
        range.set(QStringLiteral("from"), QStringLiteral("01/12/2569"));
        range.set(QStringLiteral("to"), QStringLiteral("31/12/2569"));
        const SheetDescription sheet = ListingSheet(listing, range, typedrows::read(listing, grid.rows));

        // Sizes in points; one pixel a point.
        const QFontMetricsF table(sheetFont(int(kTableFontSize * 100)));
        const QFontMetricsF standard(sheetFont(int(kStandardFontSize * 100)));
        const double digit = standard.horizontalAdvance(QLatin1Char('0'));
        for (int c = 0; c < grid.headers.size(); ++c) {
            double width = 8.43;
            for (const ColumnWidth& w : sheet.columnWidths)
                if (w.column == c)
                    width = w.width;
            QStringList texts{grid.headers[c]};
            for (const QStringList& row : grid.rows)
                texts << shownText(row[c], listing.columns[c].kind == ValueKind::Money);
            for (const QString& text : texts) {
                const double characters = table.horizontalAdvance(text) / digit;
                QVERIFY2(characters + 1 <= width,
                         qPrintable(QStringLiteral("column %1, %2: %3 characters in %4").arg(c).arg(text).arg(characters).arg(width)));
            }
        }
    }
};

QTEST_MAIN(TestSheetFont)
#include "tst_sheet_font.moc"
