#include "print/ReminderLetter.h"

#include "core/ThaiDate.h"
#include "print/BillPayment.h"
#include "print/InvoiceDocument.h"
#include "print/PageFonts.h"

#include <array>

namespace {

// Millimetres from the sheet's top-left corner.
constexpr qreal kLeft = kReminderMarginLeftMm;
constexpr qreal kRight = kPageWidthMm - kReminderMarginRightMm;
constexpr qreal kWidth = kRight - kLeft;
constexpr qreal kIndent = 14.0;        // where the texts after "เรื่อง" and "เรียน" start
constexpr qreal kLine = 6.3;           // a line of the 14-point body text
constexpr qreal kSmallLine = 5.2;      // a line of 12-point text
constexpr qreal kPageNumberTop = kPageHeightMm - kReminderMarginBottomMm - kSmallLine;
constexpr qreal kContentBottom = kPageNumberTop - 1.5; // nothing but the page number below this

// The table: a header row, one row per invoice, on the last page a total row.
constexpr qreal kHeaderRow = 6.4;
constexpr qreal kRowPitch = 5.6;
constexpr qreal kCellPad = 1.0;
constexpr qreal kFramePen = 0.35;
constexpr qreal kRulePen = 0.2;

// Where the table starts on the first page and on the pages that continue it.
constexpr qreal kFirstTableTop = 98.0;
constexpr qreal kNextTableTop = 27.0;

const Qt::Alignment kLeftAlign = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRightAlign = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

const QString kOrganisation = QStringLiteral("มหาวิทยาลัยออร์เวน");
const QString kOffice = QStringLiteral("กองคลัง สำนักงานอธิการบดี");
const QString kSubject = QStringLiteral("ขอให้ชำระเงินค่าใช้จ่ายที่ค้างชำระ");

TextStyle body() { return ThaiStyle(14); }
TextStyle small(bool bold = false) { return ThaiStyle(12, bold); }

struct Column {
    QString caption;
    qreal width;
    Qt::Alignment align;
};

// The columns fill the text width; Ref.1 only where the bank's service can
// take the payment.
QList<Column> columnsFor(bool withReference)
{
    if (withReference)
        return {{QStringLiteral("ลำดับ"), 12, kCentre},
                {QStringLiteral("เลขที่ใบแจ้งหนี้"), 29, kCentre},
                {QStringLiteral("วันครบกำหนด"), 27, kCentre},
                {QStringLiteral("ค้างชำระ (วัน)"), 25, kCentre},
                {QStringLiteral("จำนวนเงิน (บาท)"), 40, kRightAlign},
                {QStringLiteral("Ref.1 (Bill Payment)"), 37, kCentre}};
    return {{QStringLiteral("ลำดับ"), 16, kCentre},
            {QStringLiteral("เลขที่ใบแจ้งหนี้"), 38, kCentre},
            {QStringLiteral("วันครบกำหนด"), 36, kCentre},
            {QStringLiteral("ค้างชำระ (วัน)"), 34, kCentre},
            {QStringLiteral("จำนวนเงิน (บาท)"), 46, kRightAlign}};
}
constexpr int kAmountColumn = 4;

// The texts that follow the last row, from the table's bottom down.
struct Closing {
    QString words;
    QString payInAccount;
    QStringList billPayment; // empty without a biller ID
};

qreal closingHeight(const Closing& closing)
{
    return 1.5 + kLine                                          // total in words
        + 1.5 + kLine * (1 + closing.billPayment.size())        // where to pay
        + 3.0 + kLine                                           // closing sentence
        + 4.0 + kLine + 12.0 + kLine + kLine;                   // signature block
}

class Letter {
public:
    Letter(const ReminderLetter& letter, const DocumentTexts& texts)
        : letter_(letter), texts_(texts), withReference_(IsBillerId(texts.billerId)),
          columns_(columnsFor(withReference_)), dateLine_(QStringLiteral("วันที่ ") + LongThaiDate(letter.asOf))
    {
        closing_.words = InvoiceTotalWords(letter.total);
        closing_.payInAccount = texts.payInAccountLine;
        if (withReference_)
            closing_.billPayment = {
                QStringLiteral("หรือชำระผ่านบริการรับชำระเงิน (Bill Payment) ทุกธนาคาร  Biller ID : ") + texts.billerId,
                QStringLiteral("Ref.1 : ตามตาราง ชำระแยกทีละใบแจ้งหนี้    Ref.2 : ") + letter.shopCode};
    }

    QList<Page> pages()
    {
        // The rows each page holds: as many as fit; the last page keeps room
        // for the total and the signature, and holds at least one row so the
        // total never stands apart from the table.
        QList<int> counts;
        const int rows = int(letter_.rows.size());
        for (int done = 0;;) {
            const qreal top = (counts.isEmpty() ? kFirstTableTop : kNextTableTop) + kHeaderRow;
            const int lastFits = int((kContentBottom - closingHeight(closing_) - kRowPitch - top) / kRowPitch);
            const int full = int((kContentBottom - top) / kRowPitch);
            const int left = rows - done;
            if (left <= lastFits) {
                counts << left;
                break;
            }
            const int take = qMax(1, qMin(full, left - 1));
            counts << take;
            done += take;
        }
        QList<Page> pages;
        pages.reserve(counts.size());
        for (int p = 0, first = 0; p < counts.size(); first += counts[p], ++p) {
            Page& page = pages.emplace_back();
            page.items.reserve(40 + counts[p] * int(columns_.size() + 1));
            const bool last = p + 1 == counts.size();
            const qreal tableTop = p == 0 ? firstHeading(page) : nextHeading(page);
            const qreal bottom = table(page, tableTop, first, counts[p], last);
            if (last)
                closingBlock(page, bottom);
            if (counts.size() > 1)
                page.addText(QRectF(kLeft, kPageNumberTop, kWidth, kSmallLine),
                             QStringLiteral("หน้า %1/%2").arg(p + 1).arg(counts.size()), small(), kCentre);
        }
        return pages;
    }

private:
    // The organisation, the date, subject and addressee, and the request.
    qreal firstHeading(Page& page)
    {
        page.addPicture(QRectF(kLeft, 12, 20, 20), texts_.emblem);
        constexpr qreal x = kLeft + 24, w = kRight - x;
        page.addText(QRectF(x, 12, w, 7.2), kOrganisation, ThaiStyle(16, true));
        page.addText(QRectF(x, 19.4, w, kLine), kOffice, body());
        page.addField(QStringLiteral("document.address1"), QRectF(x, 25.8, w, kSmallLine), texts_.addressLine1,
                      small());
        page.addField(QStringLiteral("document.address2"), QRectF(x, 31.0, w, kSmallLine), texts_.addressLine2,
                      small());
        page.addLine({kLeft, 38.0}, {kRight, 38.0}, kFramePen);

        page.addField(QStringLiteral("DateLine"), QRectF(105, 40.0, kRight - 105, kLine), dateLine_, body());
        page.addText(QRectF(kLeft, 47.0, kIndent, kLine), QStringLiteral("เรื่อง"), body());
        page.addText(QRectF(kLeft + kIndent, 47.0, kWidth - kIndent, kLine), kSubject, body());
        page.addText(QRectF(kLeft, 53.5, kIndent, kLine), QStringLiteral("เรียน"), body());
        page.addField(QStringLiteral("OperatorName"), QRectF(kLeft + kIndent, 53.5, kWidth - kIndent, kLine),
                      letter_.operatorName, body());
        if (!letter_.shopName.isEmpty())
            page.addField(QStringLiteral("ShopName"), QRectF(kLeft + kIndent, 60.0, kWidth - kIndent, kLine),
                          QStringLiteral("ผู้ประกอบการ ") + letter_.shopName, body());
        page.addField(QStringLiteral("ShopPlace"), QRectF(kLeft + kIndent, 66.5, kWidth - kIndent, kLine),
                      QStringLiteral("รหัสร้านค้า %1    สถานที่ %2").arg(letter_.shopCode, letter_.place), body());

        // A figure never stands at the end of a line apart from its unit.
        const QChar keep(0x00A0);
        QString date = dateLine_;
        date.replace(QLatin1Char(' '), keep);
        const QString request =
            QStringLiteral("ตามที่%1ได้แจ้งหนี้ค่าใช้จ่ายให้ร้านค้าของท่านทราบแล้วนั้น ปรากฏว่า ณ %2 ใบแจ้งหนี้ "
                           "%3\u00A0ฉบับตามรายการข้างล่างนี้ รวมเป็นเงิน %4\u00A0บาท พ้นกำหนดชำระแล้วและยังไม่ได้รับชำระ "
                           "จึงขอให้ท่านชำระเงินภายใน %5\u00A0วัน นับแต่วันที่ในหนังสือฉบับนี้ "
                           "หากท่านได้ชำระเงินแล้ว ขออภัยมา ณ ที่นี้")
                .arg(kOrganisation, date)
                .arg(letter_.rows.size())
                .arg(FormatAmount(letter_.total))
                .arg(letter_.payWithinDays);
        // Not shrunk to fit: its values are bounded (the page test prints the
        // longest), and measuring a wrapped text again and again costs more
        // than painting the rest of the page.
        PageItem& paragraph = page.addText(QRectF(kLeft, 74.5, kWidth, 21.5), QString(16, QLatin1Char(' ')) + request,
                                           body(), Qt::AlignLeft | Qt::AlignTop);
        paragraph.name = QStringLiteral("Request");
        paragraph.wordWrap = true;
        return kFirstTableTop;
    }

    // The subject and the shop again, so that a page read alone says whose it is.
    qreal nextHeading(Page& page)
    {
        page.addText(QRectF(kLeft, 12.0, 100, kLine), QStringLiteral("เรื่อง ") + kSubject + QStringLiteral(" (ต่อ)"),
                     body());
        page.addField(QStringLiteral("DateLine"), QRectF(125, 12.0, kRight - 125, kLine), dateLine_, body(),
                      kRightAlign);
        const QString shop = letter_.shopName.isEmpty() ? letter_.operatorName : letter_.shopName;
        page.addField(QStringLiteral("ShopName"), QRectF(kLeft, 18.5, kWidth, kLine),
                      QStringLiteral("%1  (รหัสร้านค้า %2)").arg(shop, letter_.shopCode), body());
        return kNextTableTop;
    }

    // The header, the rows and on the last page the total; returns the
    // table's bottom edge.
    qreal table(Page& page, qreal top, int first, int count, bool last)
    {
        qreal x = kLeft;
        for (const Column& c : columns_) {
            page.addText(QRectF(x + kCellPad, top + 0.2, c.width - 2 * kCellPad, kHeaderRow - 0.4), c.caption,
                         small(true), kCentre);
            x += c.width;
        }
        const qreal rowsTop = top + kHeaderRow;
        for (int i = 0; i < count; ++i) {
            const ReminderRow& row = letter_.rows.at(first + i);
            const std::array<QString, 6> cells = {QString::number(first + i + 1), row.invoiceNo, row.dueDate,
                                                  QString::number(row.daysOverdue), FormatAmount(row.amount),
                                                  row.reference1};
            cellsRow(page, rowsTop + i * kRowPitch, cells.data(), small());
        }
        qreal bottom = rowsTop + count * kRowPitch;
        if (last) {
            page.addLine({kLeft, bottom}, {kRight, bottom}, kRulePen);
            qreal amountLeft = kLeft;
            for (int c = 0; c < kAmountColumn; ++c)
                amountLeft += columns_[c].width;
            page.addText(QRectF(kLeft + kCellPad, bottom + 0.2, amountLeft - kLeft - 2 * kCellPad, kRowPitch - 0.4),
                         QStringLiteral("รวม %1 ฉบับ").arg(letter_.rows.size()), small(true), kRightAlign);
            page.addField(QStringLiteral("Total"),
                          QRectF(amountLeft + kCellPad, bottom + 0.2, columns_[kAmountColumn].width - 2 * kCellPad,
                                 kRowPitch - 0.4),
                          FormatAmount(letter_.total), small(true), kRightAlign);
            bottom += kRowPitch;
        }
        // The frame, the rule under the header and the column rules.
        page.addRect(QRectF(kLeft, top, kWidth, bottom - top), kFramePen);
        page.addLine({kLeft, rowsTop}, {kRight, rowsTop}, kRulePen);
        x = kLeft;
        for (qsizetype c = 0; c + 1 < columns_.size(); ++c) {
            x += columns_[c].width;
            // The total's caption spans the columns before the amount.
            const qreal end = last && c + 1 < kAmountColumn ? bottom - kRowPitch : bottom;
            page.addLine({x, top}, {x, end}, kRulePen);
        }
        return bottom;
    }

    void cellsRow(Page& page, qreal top, const QString* cells, const TextStyle& style)
    {
        qreal x = kLeft;
        for (qsizetype c = 0; c < columns_.size(); ++c) {
            const Column& column = columns_[c];
            if (!cells[c].isEmpty())
                page.addText(QRectF(x + kCellPad, top + 0.2, column.width - 2 * kCellPad, kRowPitch - 0.4), cells[c],
                             style, column.align);
            x += column.width;
        }
    }

    void closingBlock(Page& page, qreal top)
    {
        qreal y = top + 1.5;
        page.addText(QRectF(kLeft, y, 40, kLine), QStringLiteral("จำนวนเงินรวม (ตัวอักษร)"), body());
        page.addField(QStringLiteral("TotalWords"), QRectF(kLeft + 40, y, kWidth - 40, kLine), closing_.words, body());
        y += kLine + 1.5;
        page.addField(QStringLiteral("document.payInAccount"), QRectF(kLeft, y, kWidth, kLine), closing_.payInAccount,
                      body());
        y += kLine;
        for (const QString& line : closing_.billPayment) {
            page.addField(QStringLiteral("BillPayment"), QRectF(kLeft, y, kWidth, kLine), line, body());
            y += kLine;
        }
        y += 3.0;
        page.addText(QRectF(kLeft + kIndent, y, kWidth - kIndent, kLine),
                     QStringLiteral("จึงเรียนมาเพื่อโปรดดำเนินการ"), body());
        y += kLine + 4.0;
        constexpr qreal signLeft = 100, signWidth = kRight - signLeft;
        page.addText(QRectF(signLeft, y, signWidth, kLine), QStringLiteral("ขอแสดงความนับถือ"), body(), kCentre);
        y += kLine + 12.0;
        page.addText(QRectF(signLeft, y, signWidth, kLine),
                     QStringLiteral("(..................................................)"), body(), kCentre);
        y += kLine;
        page.addText(QRectF(signLeft, y, signWidth, kLine), kOffice, body(), kCentre);
    }

    const ReminderLetter& letter_;
    const DocumentTexts& texts_;
    const bool withReference_;
    const QList<Column> columns_;
    const QString dateLine_;
    Closing closing_;
};

} // namespace

QList<Page> ReminderLetterPages(const ReminderLetter& letter, const DocumentTexts& texts)
{
    return Letter(letter, texts).pages();
}
