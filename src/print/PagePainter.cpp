#include "print/PagePainter.h"

#include "core/FileModes.h"
#include "print/PageFonts.h"
#include "print/PdfWriter.h"

#include <QFileInfo>
#include <QTemporaryFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cstdio>

namespace PagePainter {

namespace {

QPageLayout a4Layout(bool landscape)
{
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintItem(QPainter& painter, const PageItem& item, const QPaintDevice* device)
{
    const qreal perMm = device->logicalDpiX() / 25.4;
    const QRectF box = toDevice(item.mm, device);
    switch (item.kind) {
    case PageItem::Kind::Text:
        if (item.text.isEmpty())
            return;
        painter.setFont(FittedFont(item, device));
        painter.setPen(Qt::black);
        painter.drawText(box, TextFlags(item), item.text);
        return;
    case PageItem::Kind::Rect:
        painter.setPen(QPen(Qt::black, item.penMm * perMm, item.penStyle, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        return;
    case PageItem::Kind::Line:
        painter.setPen(QPen(item.color, item.penMm * perMm, item.penStyle, Qt::FlatCap));
        painter.drawLine(box.topLeft(), box.bottomRight());
        return;
    case PageItem::Kind::Picture:
        if (!item.image.isNull())
            painter.drawImage(box, item.image);
        return;
    case PageItem::Kind::Fill:
        // Neighbouring modules share edges: smoothing them would leave faint
        // seams on raster devices that a scanner may take for light modules.
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(box, item.color);
        painter.restore();
        return;
    }
}

} // namespace

QRectF toDevice(const QRectF& mm, const QPaintDevice* device)
{
    const qreal kx = device->logicalDpiX() / 25.4, ky = device->logicalDpiY() / 25.4;
    return QRectF(mm.x() * kx, mm.y() * ky, mm.width() * kx, mm.height() * ky);
}

void paint(QPainter& painter, const Page& page)
{
    const QPaintDevice* device = painter.device();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem& item : page.items)
        paintItem(painter, item, device);
    painter.restore();
}

bool writePdf(const QString& path, const QList<Page>& pages, const QString& title)
{
    // Written beside the target under a temporary name (its owner's alone
    // while it is written) and renamed over it only when complete.
    const QFileInfo target(path);
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!part.open())
        return false;
    if (!PdfWriter::write(part, pages, {title}))
        return false;
    if (!part.flush() || part.error() != QFileDevice::NoError)
        return false;
    const bool personal = std::any_of(pages.cbegin(), pages.cend(), [](const Page& p) { return p.personalData; });
    if (!FileModes::apply(part.fileName(), personal ? FileModes::Holds::PersonalData : FileModes::Holds::Ordinary))
        return false;
    part.close();
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    part.setAutoRemove(false);
    return true;
}

QImage render(const Page& page, int dpi)
{
    const QSize size(qRound(page.widthMm() / 25.4 * dpi), qRound(page.heightMm() / 25.4 * dpi));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, page);
    return image;
}

void setUpPrinter(QPrinter& printer, bool landscape)
{
    printer.setPageLayout(a4Layout(landscape));
    printer.setFullPage(true);
}

bool print(QPrinter& printer, const QList<Page>& pages)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paint(painter, pages[i]);
    }
    return painter.end();
}

} // namespace PagePainter
