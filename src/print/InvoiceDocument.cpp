#include "print/InvoiceDocument.h"

#include "print/BarcodeSymbols.h"
#include "print/PageFonts.h"
#include "util/Utility.h"

#include <QtDebug>
#include <QtMath>

#include <array>

namespace {

// The form is laid out on a 190 x 276 mm band inside 10 mm margins; the
// figures below are millimetres from the band's top-left corner.
constexpr qreal kMargin = 10.0;
constexpr qreal kBandWidth = 190.0;
constexpr qreal kRow = 5.1;          // height of a one-line text box
constexpr qreal kFramePen = 0.53;    // two printer pixels of the old form
constexpr qreal kThinPen = 0.26;
constexpr qreal kAmountRule = 151.0; // left edge of the amount column
constexpr qreal kAmountRight = 187.0;

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;

// Tops of the seven item rows: four 5.3 mm apart, then three 6.3 mm apart.
constexpr std::array<qreal, kInvoiceItemRows> kItemTops = {51.8, 57.1, 62.4, 67.7, 73.0, 79.3, 85.6};
constexpr qreal kItemsBottom = 91.9;

class Band {
public:
    explicit Band(Page& page) : page_(page) {}

    PageItem& text(qreal x, qreal y, qreal w, const QString& text, Qt::Alignment align = kLeft, qreal h = kRow)
    {
        return page_.addText(box(x, y, w, h), text, normal_, align);
    }
    PageItem& title(qreal x, qreal y, qreal w, const QString& text)
    {
        return page_.addText(box(x, y, w, 6.2), text, ThaiStyle(14, true), kRight);
    }
    PageItem& field(const QString& name, qreal x, qreal y, qreal w, const QString& text,
                    Qt::Alignment align = kLeft, qreal h = kRow)
    {
        return page_.addField(name, box(x, y, w, h), text, normal_, align);
    }
    void frame(qreal y, qreal h, qreal pen) { page_.addRect(box(0, y, kBandWidth, h), pen); }
    void hrule(qreal y, qreal x1 = 0, qreal x2 = kBandWidth, Qt::PenStyle style = Qt::SolidLine)
    {
        page_.addLine(point(x1, y), point(x2, y), kThinPen, style);
    }
    void vrule(qreal x, qreal y1, qreal y2) { page_.addLine(point(x, y1), point(x, y2), kThinPen); }
    void picture(qreal x, qreal y, qreal w, qreal h, const QImage& image)
    {
        page_.addPicture(box(x, y, w, h), image);
    }

private:
    static QRectF box(qreal x, qreal y, qreal w, qreal h) { return QRectF(kMargin + x, kMargin + y, w, h); }
    static QPointF point(qreal x, qreal y) { return QPointF(kMargin + x, kMargin + y); }

    Page& page_;
    const TextStyle normal_ = ThaiStyle(12);
};

struct Filled {
    QString invoiceNo;
    QString name;
    QString total;
    QString words;
};

// The total row shared by both parts: caption, words, "รวม Total", figure,
// with short rules between them.
void totalRow(Band& band, qreal top, qreal bottom, int part, const Filled& filled)
{
    // Clear of the rule above and of the frame's heavy pen below.
    const qreal y = top + 0.3;
    const qreal h = bottom - top - 0.7;
    band.hrule(top);
    band.text(2, y, 28, QStringLiteral("จำนวนเงิน (ตัวอักษร)"), kLeft, h);
    band.vrule(31, top, bottom);
    band.field(QStringLiteral("QRL_TextBath%1").arg(part), 32, y, 97, filled.words, kLeft, h);
    band.vrule(130, top, bottom);
    band.text(131, y, 19, QStringLiteral("รวม Total"), kLeft, h);
    band.field(QStringLiteral("QRL_SumMoney%1").arg(part), kAmountRule + 1, y, kAmountRight - kAmountRule - 1,
               filled.total, kRight, h);
}

void shopPart(Band& band, const InvoiceDocument& invoice, const DocumentTexts& texts, const Filled& filled)
{
    band.title(110, 1.5, 80, QStringLiteral("(ส่วนที่ 1 สำหรับร้านค้า)"));
    band.frame(8, 93, kFramePen);

    band.picture(2, 9.5, 14, 14, texts.emblem);
    band.text(18, 9.2, 85, QStringLiteral("มหาวิทยาลัยออร์เวน"));
    band.text(18, 14.4, 85, QStringLiteral("ใบแจ้งการชำระเงิน/ใบเสร็จรับเงิน"));
    band.text(18, 19.6, 85, QStringLiteral("Statement of Shop Account"));

    band.text(108, 9.2, 80, QStringLiteral("โปรดเรียกเก็บค่าธรรมเนียมจากผู้ชำระเงิน"));
    band.text(108, 14.4, 10, QStringLiteral("เลขที่"));
    band.field(QStringLiteral("QRL_Invoice_no1"), 118, 14.4, 24, filled.invoiceNo);
    band.text(143, 14.4, 13, QStringLiteral("Ref.No."));
    band.field(QStringLiteral("QRL_Invoice_no3"), 156, 14.4, 32, filled.invoiceNo);
    band.field(QStringLiteral("QRL_Cafeteria_Address"), 108, 19.6, 80, invoice.cafeteriaAddress);
    band.text(108, 24.8, 28, QStringLiteral("วันที่ออกใบแจ้งหนี้"));
    band.field(QStringLiteral("QRL_DateEntry"), 136, 24.8, 52, invoice.dateEntry);

    band.text(2, 30.2, 72, QStringLiteral("เลขประจำตัวประชาชนเจ้าของร้านค้า/ID No.(Cust.No.)"));
    band.field(QStringLiteral("QRL_PerID1"), 75, 30.2, 40, invoice.personId);
    band.text(2, 35.4, 36, QStringLiteral("ชื่อ-สกุล เจ้าของร้านค้า :"));
    band.field(QStringLiteral("QRL_Name1"), 39, 35.4, 110, filled.name);

    // The cost table: header between two rules, the amount column apart.
    band.hrule(41.0);
    band.text(2, 41.2, kAmountRule - 3, QStringLiteral("รายการ"), kCentre);
    band.text(2, 46.3, kAmountRule - 3, QStringLiteral("Description"), kCentre);
    band.text(kAmountRule + 1, 41.2, kBandWidth - kAmountRule - 2, QStringLiteral("จำนวนเงิน"), kCentre);
    band.text(kAmountRule + 1, 46.3, kBandWidth - kAmountRule - 2, QStringLiteral("Amount (Bath)"), kCentre);
    band.hrule(51.6);
    band.vrule(kAmountRule, 41.0, 101.0);

    // A later line with the same number replaces an earlier one; numbers
    // outside the seven rows are not printed.
    std::array<QString, kInvoiceItemRows> items, amounts;
    for (const InvoiceDocumentLine& line : invoice.lines) {
        if (line.inOrder < 1 || line.inOrder > kInvoiceItemRows)
            continue;
        items[line.inOrder - 1] = InvoiceItemText(line);
        amounts[line.inOrder - 1] = FormatAmount(line.payMoney);
    }
    for (int row = 0; row < kInvoiceItemRows; ++row) {
        const qreal top = kItemTops[row];
        const qreal h = (row + 1 < kInvoiceItemRows ? kItemTops[row + 1] : kItemsBottom) - top;
        band.field(QStringLiteral("QRL_Item%1").arg(row + 1), 2, top, kAmountRule - 3, items[row], kLeft, h)
            .wordWrap = true;
        band.field(QStringLiteral("QRL_Money%1").arg(row + 1), kAmountRule + 1, top,
                   kAmountRight - kAmountRule - 1, amounts[row], kRight, h);
    }
    totalRow(band, 92.2, 101.0, 1, filled);

    band.text(0, 101.5, 42, QStringLiteral("* กำหนดการชำระเงิน ภายในวันที่ "));
    band.field(QStringLiteral("QRL_Date_Must_Pay1"), 42, 101.5, 17, invoice.dateMustPay);
    band.field(QStringLiteral("document.payInAccount"), 60, 101.5, 130, texts.payInAccountLine);
    band.text(0, 106.6, 150, QStringLiteral("** ผู้จ่ายโปรดชำระค่าธรรมเนียมการชำระเงินผ่านธนาคารทั่วประเทศอีก 10 บาท"));

    band.frame(112, 25, kThinPen);
    band.text(2, 113, 106, QStringLiteral("หมายเหตุ :"));
    band.text(2, 119, 106, QStringLiteral("เพื่อความสะดวกของผู้จ่าย กรุณานำเอกสารใบแจ้งการชำระเงินไปแสดงเพื่อชำระเงิน"));
    band.text(2, 125, 106, QStringLiteral("ที่ธนาคารได้ทุกสาขาทั่วประเทศ"));
    band.text(112, 113, 76, QStringLiteral("ลงชื่อ ........................................................"));
    band.text(112, 118.4, 76, QStringLiteral("วันที่ ................/.............../........................"));
    band.text(124, 124.6, 52, QStringLiteral("สำหรับเจ้าหน้าที่ธนาคาร"), kCentre);
    band.text(124, 129.8, 52, QStringLiteral("(ลงลายมือชื่อและตราประทับ)"), kCentre);

    band.text(70, 138, 50, QStringLiteral("(ฉีก ตามรอย)"), kCentre);
    band.picture(0, 141.4, 9, 7.2, texts.scissors);
    band.hrule(145, 9.5, kBandWidth, Qt::DashLine);
}

void bankPart(Band& band, const InvoiceDocument& invoice, const DocumentTexts& texts, const Filled& filled)
{
    band.title(110, 163, 80, QStringLiteral("ส่วนที่ 2 สำหรับธนาคาร"));
    band.frame(170, 70, kThinPen);

    band.picture(2, 171.5, 14, 14, texts.emblem);
    band.text(18, 171.2, 58, QStringLiteral("มหาวิทยาลัยออร์เวน"));
    band.field(QStringLiteral("document.address1"), 18, 176.4, 58, texts.addressLine1);
    band.field(QStringLiteral("document.address2"), 18, 181.6, 58, texts.addressLine2);
    band.text(77, 171.2, 50, QStringLiteral("ใบแจ้งการชำระเงินเพื่อนำเข้าบัญชี"), kCentre);
    band.text(77, 176.4, 50, QStringLiteral("Payment of Stop Account"), kCentre);
    band.text(128, 171.2, 61, QStringLiteral("โปรดเรียกเก็บค่าธรรมเนียมจากผู้ชำระเงิน"));
    band.text(128, 176.4, 61, QStringLiteral("สาขาที่รับฝาก.............................................."));

    band.hrule(188);
    band.text(2, 189, 104, QStringLiteral("เพื่อเข้าบัญชี มหาวิทยาลัยออร์เวน กองทุนบริหารจัดการ อาคารศูนย์การเรียนรู้"));
    band.field(QStringLiteral("document.bankBranch"), 2, 195, 104, texts.bankBranchLine);
    band.text(2, 201, 104, QStringLiteral("**รับเฉพาะเงินสด**"));

    constexpr qreal right = 109, width = kBandWidth - right - 1;
    band.text(right, 189, width, QStringLiteral("วันที่ .............../............/.........................."));
    band.text(right, 195, width, QStringLiteral("SERVICE CODE : ZIZARO"));
    band.text(right, 201, 20, QStringLiteral("ชื่อ-นามสกุล :"));
    band.field(QStringLiteral("QRL_Name2"), right + 20, 201, width - 20, filled.name);
    band.text(right, 207, width, QStringLiteral("เลขประจำตัวประชาชนเจ้าของร้าน / ID No. (Cust.No.)"));
    band.field(QStringLiteral("QRL_PerID2"), right, 213, width, invoice.personId);
    band.text(right, 219, 25, QStringLiteral("เลขลำดับใบแจ้งหนี้"));
    band.field(QStringLiteral("QRL_Invoice_no2"), right + 25, 219, 40, filled.invoiceNo);
    band.text(right, 225, 12, QStringLiteral("Ref.No."));
    band.field(QStringLiteral("QRL_Invoice_no4"), right + 12, 225, 40, filled.invoiceNo);

    totalRow(band, 231.0, 240.0, 2, filled);
    band.vrule(kAmountRule, 231.0, 240.0);

    band.frame(240, 34, kThinPen);
    band.vrule(106, 240, 274);
    band.text(2, 241.5, 103,
              QStringLiteral("ผู้นำฝาก .......................................................... "
                             "โทร ................................................"));
    band.text(2, 249.5, 33, QStringLiteral("โปรดชำระเงินภายในวันที่ "));
    band.field(QStringLiteral("QRL_Date_Must_Pay2"), 35, 249.5, 25, invoice.dateMustPay);
    band.text(2, 257.5, 103, QStringLiteral("เพื่อประโยชน์ของท่านโปรดแจ้งเบอร์โทรศัพท์ที่ติดต่อได้"));
    band.text(2, 265.5, 103,
              QStringLiteral("โทรศัพท์ ......................................................................"));

    band.text(107, 240.8, 82, QStringLiteral("สำหรับเจ้าหน้าที่ธนาคาร/Bank Use Only"), kCentre);
    band.hrule(246.3, 106, kBandWidth);
    band.text(108, 247.5, 80, QStringLiteral("ผู้รับเงิน"));
    band.text(108, 252.8, 80, QStringLiteral("Received By"));
    band.hrule(260, 106, kBandWidth);
    band.text(108, 261.5, 80, QStringLiteral("ผู้รับมอบอำนาจ"));
    band.text(108, 266.8, 80, QStringLiteral("Received By"));
}

// Banks' readers want a narrowest bar of at least 0.25 mm; 0.33 mm reads
// more surely where the data leaves room for it.
constexpr qreal kBarMinMm = 0.25;
constexpr qreal kBarPreferredMm = 0.33;
constexpr qreal kBarHeightMm = 11.0;
// Banks ask for a QR code of at least 20 mm; a little more allows for the
// printer's spread.
constexpr qreal kQrMinSideMm = 20.2;

void addModules(Page& page, const SymbolModules& symbol, QPointF originMm, qreal moduleMm, qreal barHeightMm,
                const QString& name)
{
    const qreal ky = symbol.height == 1 ? barHeightMm : moduleMm;
    for (const QRectF& r : symbol.dark)
        page.addFill(QRectF(originMm.x() + r.x() * moduleMm, originMm.y() + r.y() * ky, r.width() * moduleMm,
                            r.height() * ky),
                     name);
}

// The QR code fills its box, quiet zone included; the references stand
// beside it in figures, for a counter whose reader fails.
void addQrCode(Page& page, Band& band, const BillPaymentCodes& codes, const BillPayment& payment)
{
    // Small payloads would make a small symbol: ask for at least the version
    // whose modules, quiet zone included, fill the box to kQrMinSideMm.
    const qreal box = kInvoiceQrBoxMm.width();
    const int minModules = qCeil(2 * kQrQuietModules * kQrMinSideMm / (box - kQrMinSideMm));
    const SymbolModules qr = EncodeQrCode(codes.qrPayload.toLatin1(), qMax(1, (minModules - 17 + 3) / 4));
    if (!qr.ok()) {
        qWarning("bill-payment QR code not drawn: %s", qPrintable(qr.error));
        return;
    }
    const qreal module = kInvoiceQrBoxMm.width() / (qr.width + 2 * kQrQuietModules);
    addModules(page, qr, kInvoiceQrBoxMm.topLeft() + QPointF(kQrQuietModules, kQrQuietModules) * module, module, 0,
               kInvoiceQrName);

    constexpr qreal x = 28, w = 106 - x;
    band.text(x, 207.0, w, QStringLiteral("ชำระผ่าน QR Code หรือบาร์โค้ด (Bill Payment)"));
    band.text(x, 212.5, w, QStringLiteral("Biller ID : ") + payment.billerId);
    band.text(x, 218.0, w, QStringLiteral("Ref.1 : ") + payment.reference1);
    if (!payment.reference2.isEmpty())
        band.text(x, 223.5, w, QStringLiteral("Ref.2 : ") + payment.reference2);
}

// The barcode is centred in its box at the widest bar the box allows, up to
// the preferred width; data too long for the narrowest readable bar leaves
// the barcode out rather than print one too fine to read.
void addBarcode(Page& page, const BillPaymentCodes& codes)
{
    const SymbolModules bars = EncodeCode128(codes.barcodeText.toLatin1());
    if (!bars.ok()) {
        qWarning("bill-payment barcode not drawn: %s", qPrintable(bars.error));
        return;
    }
    const int modules = bars.width + 2 * kCode128QuietModules;
    const qreal module = qMin(kBarPreferredMm, kInvoiceBarcodeBoxMm.width() / modules);
    if (module < kBarMinMm) {
        qWarning("bill-payment barcode not drawn: %d modules do not fit %.0f mm", modules,
                 kInvoiceBarcodeBoxMm.width());
        return;
    }
    const QPointF origin(kInvoiceBarcodeBoxMm.center().x() - bars.width * module / 2,
                         kInvoiceBarcodeBoxMm.center().y() - kBarHeightMm / 2);
    addModules(page, bars, origin, module, kBarHeightMm, kInvoiceBarcodeName);
}

void billPaymentCodes(Page& page, Band& band, const InvoiceDocument& invoice, const DocumentTexts& texts)
{
    if (texts.billerId.isEmpty())
        return;
    const BillPaymentCodes codes = InvoiceBillPaymentCodes(invoice, texts);
    if (!codes.ok()) {
        // Nothing to pay needs no code; anything else is a setting or a
        // stored value the bank could not read.
        if (invoice.payTotal > Money())
            qWarning("invoice %s printed without bill-payment codes: %s", qPrintable(invoice.invoiceNo),
                     qPrintable(codes.refusal));
        return;
    }
    const BillPayment payment{texts.billerId, BillPaymentReference1(invoice.invoiceNo), invoice.cafeteriaCode,
                              invoice.payTotal};
    addQrCode(page, band, codes, payment);
    addBarcode(page, codes);
}

} // namespace

BillPaymentCodes InvoiceBillPaymentCodes(const InvoiceDocument& invoice, const DocumentTexts& texts)
{
    if (texts.billerId.isEmpty()) {
        BillPaymentCodes none;
        none.refusal = QStringLiteral("ไม่ได้กำหนดรหัสผู้รับชำระ (billpayment/billerId)");
        return none;
    }
    return BuildBillPaymentCodes(
        {texts.billerId, BillPaymentReference1(invoice.invoiceNo), invoice.cafeteriaCode, invoice.payTotal});
}

QString InvoicePersonName(const InvoiceDocument& invoice)
{
    return invoice.surName + invoice.firstName + QStringLiteral("  ") + invoice.lastName;
}

QString InvoiceTotalWords(Money total)
{
    return QLatin1Char('(') + BahtText(total) + QLatin1Char(')');
}

QString InvoiceItemText(const InvoiceDocumentLine& line)
{
    return QString::number(line.inOrder) + QStringLiteral(". ") + line.costName + QStringLiteral("  ")
        + line.otherDetail;
}

Page BuildInvoicePage(const InvoiceDocument& invoice, const DocumentTexts& texts)
{
    const Filled filled{invoice.invoiceNo, InvoicePersonName(invoice), FormatAmount(invoice.payTotal),
                        InvoiceTotalWords(invoice.payTotal)};
    Page page;
    page.personalData = true;  // the operator's ID number
    page.items.reserve(140);
    Band band(page);
    shopPart(band, invoice, texts, filled);
    bankPart(band, invoice, texts, filled);
    billPaymentCodes(page, band, invoice, texts);
    return page;
}
