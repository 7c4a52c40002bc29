#include "print/PageFonts.h"

#include "print/PagePainter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>

namespace {

// Measured against the forms' own fixed widths: at 0.6 the letter's widest
// fixed line (125 mm box) just fits, as it did on the old page.
constexpr qreal kThaiScale = 0.6;
constexpr qreal kShrinkStep = 0.95;
constexpr qreal kSlackMm = 0.01; // rounding of the device's metrics

bool fits(const QFont& font, const PageItem& item, const QRectF& box, const QPaintDevice* device, qreal slackX,
          qreal slackY)
{
    const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
    const QRectF used = metrics.boundingRect(box, TextFlags(item), item.text);
    return used.width() <= box.width() + slackX && used.height() <= box.height() + slackY;
}

} // namespace

qreal FamilyScale(const QString& family)
{
    return family == kThaiFamily ? kThaiScale : 1.0;
}

QFont PageFont(const TextStyle& style)
{
    QFont font(style.family);
    font.setPointSizeF(style.pointSize * FamilyScale(style.family));
    font.setBold(style.bold);
    font.setUnderline(style.underline);
    // Hinting would make the widths depend on the device resolution; the
    // page must measure the same on screen, in the preview and in the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

bool FontResolves(const QString& family)
{
    return QFontDatabase::hasFamily(family) && QFontInfo(QFont(family)).exactMatch();
}

int TextFlags(const PageItem& item)
{
    int flags = static_cast<int>(item.align);
    if (item.wordWrap)
        flags |= Qt::TextWordWrap;
    return flags;
}

QFont FittedFont(const PageItem& item, const QPaintDevice* device)
{
    QFont font = PageFont(item.style);
    if (!item.shrinkToFit || item.text.isEmpty())
        return font;
    const QRectF box = PagePainter::toDevice(item.mm, device);
    const qreal slackX = kSlackMm * device->logicalDpiX() / 25.4, slackY = kSlackMm * device->logicalDpiY() / 25.4;
    const qreal scaled = font.pointSizeF();
    qreal size = scaled;
    while (!fits(font, item, box, device, slackX, slackY) && size * kShrinkStep >= scaled / 4) {
        size *= kShrinkStep;
        font.setPointSizeF(size);
    }
    return font;
}
