#pragma once

// Checks shared by the page tests: reading a PDF back as text, and measuring
// that every text of a page stays inside its box and off its neighbours.

#include "print/Page.h"
#include "print/PageFonts.h"
#include "print/PagePainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace PrintChecks {

// TLWG fonts draw some Thai marks with alternate glyphs in the private use
// area (shifted tone marks, vowels without descenders); pdftotext gives those
// code points back, and splits SARA AM into NIKHAHIT and SARA AA. Map both
// back to the text that was printed.
inline QString normaliseThai(QString text)
{
    static const struct {
        char16_t from;
        char16_t to;
    } kAlternates[] = {
        {0xF700, 0x0E10}, {0xF701, 0x0E34}, {0xF702, 0x0E35}, {0xF703, 0x0E36}, {0xF704, 0x0E37},
        {0xF705, 0x0E48}, {0xF706, 0x0E49}, {0xF707, 0x0E4A}, {0xF708, 0x0E4B}, {0xF709, 0x0E4C},
        {0xF70A, 0x0E48}, {0xF70B, 0x0E49}, {0xF70C, 0x0E4A}, {0xF70D, 0x0E4B}, {0xF70E, 0x0E4C},
        {0xF70F, 0x0E0D}, {0xF710, 0x0E31}, {0xF711, 0x0E4D}, {0xF712, 0x0E47}, {0xF713, 0x0E48},
        {0xF714, 0x0E49}, {0xF715, 0x0E4A}, {0xF716, 0x0E4B}, {0xF717, 0x0E4C}, {0xF718, 0x0E38},
        {0xF719, 0x0E39}, {0xF71A, 0x0E3A},
    };
    for (const auto& a : kAlternates)
        text.replace(QChar(a.from), QChar(a.to));
    // NIKHAHIT, an optional tone mark, SARA AA -> the tone mark, SARA AM.
    for (qsizetype i = 0; (i = text.indexOf(QChar(0x0E4D), i)) >= 0;) {
        const bool toneBetween = i + 2 < text.size() && text[i + 1].unicode() >= 0x0E48
            && text[i + 1].unicode() <= 0x0E4B && text[i + 2] == QChar(0x0E32);
        if (i + 1 < text.size() && text[i + 1] == QChar(0x0E32)) {
            text.replace(i, 2, QChar(0x0E33));
        } else if (toneBetween) {
            text.replace(i, 3, QString(text[i + 1]) + QChar(0x0E33));
        }
        ++i;
    }
    return text;
}

// The named field of a page; a missing one ends the run, since every later
// check would only fail less clearly.
inline const PageItem& field(const Page& page, const QString& name)
{
    const PageItem* item = page.field(name);
    if (!item)
        qFatal("no field %s", qPrintable(name));
    return *item;
}

// The text without any white space, for comparing across layout spacing.
inline QString squeezed(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out.append(c);
    }
    return out;
}

inline bool hasPdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The PDF's text as pdftotext -layout reads it, normalised; one string per
// page (pdftotext ends each page with a form feed).
inline QStringList pdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QStringList pages = normaliseThai(QString::fromUtf8(process.readAllStandardOutput())).split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Where a text of the page lies badly, one line per fault; empty when every
// text fits its box as the painter lays it out on this device, no two text
// boxes overlap, and no rule, frame, picture or barcode crosses a text box.
inline QStringList layoutFaults(const Page& page, const QPaintDevice* device)
{
    QStringList faults;
    const qreal perMm = device->logicalDpiX() / 25.4;
    QList<const PageItem*> texts;
    for (const PageItem& item : page.items) {
        if (item.isText() && !item.text.isEmpty())
            texts.append(&item);
    }
    const auto describe = [](const PageItem* item) {
        return QStringLiteral("'%1' [%2]").arg(item->text.left(40), item->name);
    };

    for (const PageItem* item : texts) {
        const QFont font = FittedFont(*item, device);
        const QFontMetricsF metrics(font, const_cast<QPaintDevice*>(device));
        const QRectF box = PagePainter::toDevice(item->mm, device);
        const QRectF used = metrics.boundingRect(box, TextFlags(*item), item->text);
        const qreal slack = 0.02 * perMm;
        if (!box.adjusted(-slack, -slack, slack, slack).contains(used))
            faults << QStringLiteral("%1 needs %2 x %3 mm in a box of %4 x %5 mm")
                          .arg(describe(item))
                          .arg(used.width() / perMm, 0, 'f', 2)
                          .arg(used.height() / perMm, 0, 'f', 2)
                          .arg(item->mm.width(), 0, 'f', 2)
                          .arg(item->mm.height(), 0, 'f', 2);
        // A text squeezed to a fraction of its size is not legible either.
        if (font.pointSizeF() < 0.5 * PageFont(item->style).pointSizeF())
            faults << QStringLiteral("%1 shrunk to %2 pt").arg(describe(item)).arg(font.pointSizeF(), 0, 'f', 2);
    }

    constexpr qreal kTouch = 0.01; // boxes may share an edge
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QRectF overlap = texts[i]->mm.intersected(texts[j]->mm);
            if (overlap.width() > kTouch && overlap.height() > kTouch)
                faults << QStringLiteral("%1 overlaps %2").arg(describe(texts[i]), describe(texts[j]));
        }
    }

    // Rules and frame sides as segments, widened by half their pen.
    QList<QRectF> strokes;
    const auto addStroke = [&](QPointF a, QPointF b, qreal pen) {
        strokes.append(QRectF(a, b).normalized().adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2));
    };
    for (const PageItem& item : page.items) {
        const QRectF& r = item.mm;
        if (item.kind == PageItem::Kind::Line) {
            addStroke(r.topLeft(), r.bottomRight(), item.penMm);
        } else if (item.kind == PageItem::Kind::Rect) {
            addStroke(r.topLeft(), r.topRight(), item.penMm);
            addStroke(r.bottomLeft(), r.bottomRight(), item.penMm);
            addStroke(r.topLeft(), r.bottomLeft(), item.penMm);
            addStroke(r.topRight(), r.bottomRight(), item.penMm);
        } else if (item.kind == PageItem::Kind::Picture || item.kind == PageItem::Kind::Fill) {
            strokes.append(r);
        }
    }
    for (const PageItem* item : texts) {
        for (const QRectF& stroke : strokes) {
            const QRectF overlap = item->mm.intersected(stroke);
            if (overlap.width() > kTouch && overlap.height() > kTouch)
                faults << QStringLiteral("%1 is crossed by a rule, frame, picture or barcode at %2,%3 mm")
                              .arg(describe(item))
                              .arg(stroke.x(), 0, 'f', 1)
                              .arg(stroke.y(), 0, 'f', 1);
        }
    }
    return faults;
}

} // namespace PrintChecks
