#include "print/DocumentSettings.h"

#include "print/BillPayment.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>

#include <cmath>

namespace {

const QColor kInk(0x1f, 0x2a, 0x5c);

QString valueOr(const QSettings& settings, const char* key, const QString& fallback)
{
    // An unquoted value with a comma in it reads as a list; it is still the
    // text that was written.
    const QVariant raw = settings.value(QLatin1String(key));
    const QString value = (raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(QLatin1Char(','))
                                                                   : raw.toString())
                              .trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace

QImage DefaultEmblem()
{
    // A seal: double ring, a ring of dots, an open book under a flame.
    // Drawn on a 200-unit grid into 120 pixels: sharp at the 14 mm it is
    // printed at, and small enough to keep the PDF quick to write.
    constexpr int size = 120;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 200.0, size / 200.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 8));
    p.drawEllipse(QPointF(100, 100), 94, 94);
    p.setPen(QPen(kInk, 3));
    p.drawEllipse(QPointF(100, 100), 80, 80);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = 0; i < 24; ++i) {
        const double a = i * 2 * M_PI / 24;
        p.drawEllipse(QPointF(100 + 87 * std::cos(a), 100 + 87 * std::sin(a)), 2.5, 2.5);
    }
    QPainterPath flame;
    flame.moveTo(100, 30);
    flame.cubicTo(130, 65, 122, 88, 100, 98);
    flame.cubicTo(78, 88, 70, 65, 100, 30);
    p.drawPath(flame);
    p.setBrush(Qt::white);
    QPainterPath core;
    core.moveTo(100, 58);
    core.cubicTo(112, 75, 108, 86, 100, 90);
    core.cubicTo(92, 86, 88, 75, 100, 58);
    p.drawPath(core);
    p.setBrush(kInk);
    QPainterPath book;
    book.moveTo(40, 110);
    book.quadTo(70, 100, 98, 114);
    book.lineTo(98, 158);
    book.quadTo(70, 144, 40, 154);
    book.closeSubpath();
    book.moveTo(160, 110);
    book.quadTo(130, 100, 102, 114);
    book.lineTo(102, 158);
    book.quadTo(130, 144, 160, 154);
    book.closeSubpath();
    p.drawPath(book);
    p.setPen(QPen(Qt::white, 2));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(50, 122 + 10 * i), QPointF(88, 127 + 10 * i));
        p.drawLine(QPointF(150, 122 + 10 * i), QPointF(112, 127 + 10 * i));
    }
    return image;
}

QImage ScissorsPicture()
{
    // Drawn at four times the 34 x 27 pixels of the form for a sharp print.
    QImage image(136, 108, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(24, 28), 17, 17);
    p.drawEllipse(QPointF(24, 80), 17, 17);
    p.setPen(QPen(Qt::black, 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(38, 38), QPointF(130, 74));
    p.drawLine(QPointF(38, 70), QPointF(130, 34));
    p.setBrush(Qt::white);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(74, 54), 5, 5);
    return image;
}

DocumentTexts DocumentTexts::defaults()
{
    DocumentTexts texts;
    texts.emblem = DefaultEmblem();
    texts.scissors = ScissorsPicture();
    texts.addressLine1 = QStringLiteral("เลขที่ 1 ถนนออร์เวน แขวงศาลาวิชา เขตบางเรียน");
    texts.addressLine2 = QStringLiteral("กรุงเทพมหานคร 10999 โทร. 0 2000 0000");
    texts.payInAccountLine = QStringLiteral("ชำระที่ ธนาคารตัวอย่าง ชื่อบัญชี มหาวิทยาลัยออร์เวน กองทุนบริหารจัดการ "
                                            "เลขที่บัญชี 000-0-00000-0");
    texts.bankBranchLine = QStringLiteral("ธนาคารตัวอย่าง สาขาที่ 0001 (ORW)");
    return texts;
}

DocumentTexts DocumentTexts::load(const QString& settingsFilePath)
{
    DocumentTexts texts = defaults();
    if (settingsFilePath.isEmpty() || !QFileInfo::exists(settingsFilePath))
        return texts;
    texts.settingsFile = settingsFilePath;
    QSettings settings(settingsFilePath, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("document"));
    texts.addressLine1 = valueOr(settings, "address1", texts.addressLine1);
    texts.addressLine2 = valueOr(settings, "address2", texts.addressLine2);
    texts.payInAccountLine = valueOr(settings, "payInAccount", texts.payInAccountLine);
    texts.bankBranchLine = valueOr(settings, "bankBranch", texts.bankBranchLine);
    const QString emblemFile = valueOr(settings, "emblem", QString());
    if (const QString days = valueOr(settings, "reminderDays", QString()); !days.isEmpty()) {
        bool ok = false;
        const int n = days.toInt(&ok);
        if (ok && n >= 1 && n <= kMaxReminderDays)
            texts.reminderDays = n;
        else
            texts.reminderDaysGiven = days;
    }
    settings.endGroup();
    texts.billerId = valueOr(settings, "billpayment/billerId", QString());
    if (!emblemFile.isEmpty()) {
        const QString path = QDir(QFileInfo(settingsFilePath).absolutePath()).absoluteFilePath(emblemFile);
        const QImage emblem(path);
        if (!emblem.isNull())
            texts.emblem = emblem;
    }
    return texts;
}

QStringList DocumentTexts::settingKeys()
{
    return {QStringLiteral("document/emblem"), QStringLiteral("document/address1"), QStringLiteral("document/address2"),
            QStringLiteral("document/payInAccount"), QStringLiteral("document/bankBranch"),
            QStringLiteral("document/reminderDays"), QStringLiteral("billpayment/billerId")};
}

QStringList DocumentTexts::problems() const
{
    QStringList found;
    if (!billerId.isEmpty() && !IsBillerId(billerId)) {
        QString text = QStringLiteral("ค่าตั้ง [billpayment] billerId = \"%1\" ไม่ถูกต้อง: ต้องเป็นตัวเลข 15 หลัก "
                                      "ใบแจ้งหนี้จะพิมพ์โดยไม่มีคิวอาร์โค้ดและบาร์โค้ด")
                           .arg(billerId);
        if (!settingsFile.isEmpty())
            text += QStringLiteral(" (แฟ้ม %1)").arg(QDir::toNativeSeparators(settingsFile));
        found << text;
    }
    if (!reminderDaysGiven.isEmpty()) {
        QString text = QStringLiteral("ค่าตั้ง [document] reminderDays = \"%1\" ไม่ถูกต้อง: ต้องเป็นจำนวนวัน 1 ถึง %2 "
                                      "หนังสือแจ้งเตือนจะให้ชำระภายใน %3 วัน")
                           .arg(reminderDaysGiven)
                           .arg(kMaxReminderDays)
                           .arg(kDefaultReminderDays);
        if (!settingsFile.isEmpty())
            text += QStringLiteral(" (แฟ้ม %1)").arg(QDir::toNativeSeparators(settingsFile));
        found << text;
    }
    return found;
}
