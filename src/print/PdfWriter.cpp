#include "print/PdfWriter.h"

#include "print/PageFonts.h"
#include "print/PagePainter.h"

#include <QFontMetricsF>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QTextLayout>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include <QBuffer>

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace PdfWriter {

namespace {

constexpr qreal kPointsPerMm = 72.0 / 25.4;
// Text is measured as QPainter measures it on a PDF page: at 1200 dpi.
constexpr int kMeasureDpi = 1200;
constexpr qreal kPointsPerDot = 72.0 / kMeasureDpi;

const QImage& measureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QRectF toPoints(const QRectF& mm)
{
    return {mm.x() * kPointsPerMm, mm.y() * kPointsPerMm, mm.width() * kPointsPerMm, mm.height() * kPointsPerMm};
}

// One line of a text item as QPainter::drawText places it: its characters
// and its baseline, in points from the sheet's top.
struct TextLine {
    QString text;
    qreal baseline;
};

// The lines of a text item in its box, broken, spaced and placed upright as
// QPainter::drawText breaks, spaces and places them (the leading between
// lines, the block centred, topped or bottomed in the box).
QList<TextLine> linesOf(const PageItem& item, const QFont& font)
{
    QImage& device = const_cast<QImage&>(measureDevice());
    const QRectF box = PagePainter::toDevice(item.mm, &device);
    QString text = item.text;
    const auto placed = [&](qreal height) {
        if (item.align & Qt::AlignVCenter)
            return box.top() + (box.height() - height) / 2;
        if (item.align & Qt::AlignBottom)
            return box.bottom() - height;
        return box.top();
    };
    // One line, the most of them: its font's height and ascent place it,
    // with no breaking to work out.
    if (!item.wordWrap && !text.contains(QLatin1Char('\n'))) {
        const QFontMetricsF metrics(font, &device);
        return {{text.trimmed().isEmpty() ? QString() : text, (placed(metrics.height()) + metrics.ascent()) * kPointsPerDot}};
    }
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font, &device);
    QTextOption option(item.align);
    option.setWrapMode(item.wordWrap ? QTextOption::WordWrap : QTextOption::ManualWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(font, &device).leading();
    qreal height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        // Unwrapped, a line runs as far as its text goes.
        line.setLineWidth(item.wordWrap ? box.width() : 1e7);
        height += leading;
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();

    const qreal top = placed(height);
    QList<TextLine> lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        QString part = text.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && (part.back() == QChar::LineSeparator || part.back().isSpace()))
            part.chop(1);
        lines.append({part, (top + line.y() + line.ascent()) * kPointsPerDot});
    }
    return lines;
}

// The cairo and Pango objects of one document, released in their order.
class Canvas {
public:
    explicit Canvas(QIODevice& out)
    {
        surface_ = cairo_pdf_surface_create_for_stream(&Canvas::writeTo, &out, kPageWidthMm * kPointsPerMm,
                                                        kPageHeightMm * kPointsPerMm);
        cr_ = cairo_create(surface_);
        pango_ = pango_cairo_create_context(cr_);
        // Pango's points are the page's: sizes and places in one unit.
        pango_cairo_context_set_resolution(pango_, 72.0);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(pango_, options);
        cairo_font_options_destroy(options);
        // Glyphs where the font puts them, not rounded to whole points:
        // widths as Qt measures them, and gaps a PDF reader would take for
        // blanks between the letters of a word.
        pango_context_set_round_glyph_positions(pango_, FALSE);
        pango_context_set_language(pango_, pango_language_from_string("th"));
    }
    ~Canvas()
    {
        g_object_unref(pango_);
        cairo_destroy(cr_);
        // The document is written before the pictures it shows go.
        cairo_surface_finish(surface_);
        cairo_surface_destroy(surface_);
        for (const Source& source : std::as_const(sources_))
            cairo_surface_destroy(source.surface);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void setMetadata(const Document& document)
    {
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, document.title.toUtf8().constData());
        cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, document.creator.toUtf8().constData());
    }

    void draw(const PageItem& item)
    {
        const QRectF box = toPoints(item.mm);
        switch (item.kind) {
        case PageItem::Kind::Text:
            drawText(item);
            return;
        case PageItem::Kind::Rect:
            setPen(item, CAIRO_LINE_CAP_SQUARE);
            cairo_rectangle(cr_, box.x(), box.y(), box.width(), box.height());
            cairo_stroke(cr_);
            return;
        case PageItem::Kind::Line:
            setPen(item, CAIRO_LINE_CAP_BUTT);
            cairo_move_to(cr_, box.left(), box.top());
            cairo_line_to(cr_, box.right(), box.bottom());
            cairo_stroke(cr_);
            return;
        case PageItem::Kind::Picture:
            drawPicture(item.image, box);
            return;
        case PageItem::Kind::Fill:
            cairo_set_source_rgb(cr_, item.color.redF(), item.color.greenF(), item.color.blueF());
            cairo_rectangle(cr_, box.x(), box.y(), box.width(), box.height());
            cairo_fill(cr_);
            return;
        }
    }

    // The sheet's size is set before anything is drawn on it.
    void startPage(const Page& page)
    {
        cairo_pdf_surface_set_size(surface_, page.widthMm() * kPointsPerMm, page.heightMm() * kPointsPerMm);
    }
    void endPage() { cairo_show_page(cr_); }

    // Writes what is left; false when the document could not be written.
    bool finish()
    {
        cairo_surface_finish(surface_);
        return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
    }

private:
    static cairo_status_t writeTo(void* closure, const unsigned char* data, unsigned int length)
    {
        auto* out = static_cast<QIODevice*>(closure);
        return out->write(reinterpret_cast<const char*>(data), length) == qint64(length) ? CAIRO_STATUS_SUCCESS
                                                                                           : CAIRO_STATUS_WRITE_ERROR;
    }

    void setPen(const PageItem& item, cairo_line_cap_t cap)
    {
        const qreal width = item.penMm * kPointsPerMm;
        cairo_set_source_rgb(cr_, item.color.redF(), item.color.greenF(), item.color.blueF());
        cairo_set_line_width(cr_, width);
        cairo_set_line_cap(cr_, cap);
        cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
        // Qt's dash patterns, in pen widths.
        QList<double> dashes;
        switch (item.penStyle) {
        case Qt::DashLine:
            dashes = {4, 2};
            break;
        case Qt::DotLine:
            dashes = {1, 2};
            break;
        case Qt::DashDotLine:
            dashes = {4, 2, 1, 2};
            break;
        default:
            break;
        }
        for (double& d : dashes)
            d *= width;
        cairo_set_dash(cr_, dashes.constData(), int(dashes.size()), 0);
    }

    void drawText(const PageItem& item)
    {
        if (item.text.isEmpty())
            return;
        const QFont font = FittedFont(item, &measureDevice());
        PangoFontDescription* description = pango_font_description_new();
        pango_font_description_set_family(description, font.family().toUtf8().constData());
        pango_font_description_set_size(description, int(font.pointSizeF() * PANGO_SCALE + 0.5));
        pango_font_description_set_weight(description, font.bold() ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_context_set_font_description(pango_, description);
        const QRectF box = toPoints(item.mm);
        cairo_set_source_rgb(cr_, 0, 0, 0);
        for (const TextLine& line : linesOf(item, font)) {
            if (line.text.isEmpty())
                continue;
            // Shaped as one line: the line is already broken where Qt
            // breaks it.
            const QByteArray utf8 = line.text.toUtf8();
            const ShapedLine shaped(pango_, utf8);
            const qreal width = shaped.width();
            qreal x = box.left();
            if (item.align & Qt::AlignRight)
                x = box.right() - width;
            else if (item.align & Qt::AlignHCenter)
                x = box.left() + (box.width() - width) / 2;
            showLine(shaped, utf8, x, line.baseline);
            if (font.underline())
                underline(description, x, width, line.baseline);
        }
        pango_font_description_free(description);
    }

    // A line's text split into runs of one font and script, each shaped into
    // its glyphs where the font puts them, unrounded.
    class ShapedLine {
    public:
        ShapedLine(PangoContext* context, const QByteArray& utf8)
        {
            GList* items = pango_itemize(context, utf8.constData(), 0, int(utf8.size()), nullptr, nullptr);
            for (GList* node = items; node; node = node->next) {
                auto* item = static_cast<PangoItem*>(node->data);
                PangoGlyphString* glyphs = pango_glyph_string_new();
                pango_shape_with_flags(utf8.constData() + item->offset, item->length, utf8.constData(),
                                       int(utf8.size()), &item->analysis, glyphs, PANGO_SHAPE_NONE);
                runs.append({item, glyphs});
            }
            g_list_free(items);
        }
        ~ShapedLine()
        {
            for (const Run& run : std::as_const(runs)) {
                pango_glyph_string_free(run.glyphs);
                pango_item_free(run.item);
            }
        }
        ShapedLine(const ShapedLine&) = delete;
        ShapedLine& operator=(const ShapedLine&) = delete;

        qreal width() const
        {
            int units = 0;
            for (const Run& run : runs)
                units += pango_glyph_string_get_width(run.glyphs);
            return qreal(units) / PANGO_SCALE;
        }

        struct Run {
            PangoItem* item;
            PangoGlyphString* glyphs;
        };
        QList<Run> runs;
    };

    // The glyphs of one laid-out line from its baseline, each letter with
    // the marks above and below it as one cluster of the text layer. The
    // marks stand where the font shifts them (left over a tall letter, up
    // over a vowel): mapped one glyph to one character, a shifted mark
    // would leave a gap that PDF readers take for a blank inside the word;
    // a letter's cluster is given its text as a whole.
    void showLine(const ShapedLine& line, const QByteArray& utf8, qreal x, qreal baseline)
    {
        qreal runX = x;
        for (const ShapedLine::Run& run : line.runs) {
            const PangoItem* item = run.item;
            const PangoGlyphString* glyphs = run.glyphs;
            const char* text = utf8.constData() + item->offset;

            // Where each letter's group (the letter and its marks) starts.
            QList<int> groupStarts;
            for (const char* c = text; c < text + item->length; c = g_utf8_next_char(c))
                if (groupStarts.isEmpty() || g_unichar_type(g_utf8_get_char(c)) != G_UNICODE_NON_SPACING_MARK)
                    groupStarts.append(int(c - text));
            const auto groupOf = [&](int byte) {
                return int(std::upper_bound(groupStarts.cbegin(), groupStarts.cend(), byte) - groupStarts.cbegin()) - 1;
            };

            // The glyphs of each group: those that take room on the line with
            // the group's text, so that the text spans exactly the room the
            // group takes; then those that take none (marks placed over or
            // under a letter) as a cluster of no text.
            std::vector<cairo_glyph_t> drawn;
            std::vector<cairo_text_cluster_t> clusters;
            const auto isDrawn = [](const PangoGlyphInfo& g) {
                return g.glyph != PANGO_GLYPH_EMPTY && !(g.glyph & PANGO_GLYPH_UNKNOWN_FLAG);
            };
            qreal advance = 0;
            int covered = 0;  // bytes of the run's text given to clusters so far
            int i = 0;
            while (i < glyphs->num_glyphs) {
                const int group = groupOf(glyphs->log_clusters[i]);
                int end = i;
                while (end < glyphs->num_glyphs && groupOf(glyphs->log_clusters[end]) == group)
                    ++end;
                // The text up to the next group that has glyphs: a group the
                // shaper drew none for goes with the one before.
                const int nextGroup = end < glyphs->num_glyphs ? groupOf(glyphs->log_clusters[end]) : int(groupStarts.size());
                const int upTo = nextGroup < groupStarts.size() ? groupStarts.at(nextGroup) : item->length;
                const int bytes = upTo - covered;
                covered = upTo;
                std::vector<cairo_glyph_t> marks, spacing;
                for (int g = i; g < end; ++g) {
                    const PangoGlyphInfo& glyph = glyphs->glyphs[g];
                    const cairo_glyph_t placed{glyph.glyph, runX + (advance + glyph.geometry.x_offset) / PANGO_SCALE,
                                               baseline + qreal(glyph.geometry.y_offset) / PANGO_SCALE};
                    advance += glyph.geometry.width;
                    if (isDrawn(glyph))
                        (glyph.geometry.width == 0 ? marks : spacing).push_back(placed);
                }
                if (spacing.empty())
                    std::swap(marks, spacing);
                if (bytes > 0 || !spacing.empty())
                    clusters.push_back({bytes, int(spacing.size())});
                drawn.insert(drawn.end(), spacing.begin(), spacing.end());
                if (!marks.empty()) {
                    clusters.push_back({0, int(marks.size())});
                    drawn.insert(drawn.end(), marks.begin(), marks.end());
                }
                i = end;
            }
            runX += advance / PANGO_SCALE;
            if (drawn.empty())
                continue;
            cairo_set_scaled_font(cr_, pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(item->analysis.font)));
            cairo_show_text_glyphs(cr_, text, item->length, drawn.data(), int(drawn.size()), clusters.data(),
                                   int(clusters.size()), cairo_text_cluster_flags_t(0));
        }
    }

    // The line under an underlined text, as its font places it.
    void underline(const PangoFontDescription* description, qreal x, qreal width, qreal baseline)
    {
        PangoFontMetrics* metrics = pango_context_get_metrics(pango_, description, nullptr);
        const qreal position = qreal(pango_font_metrics_get_underline_position(metrics)) / PANGO_SCALE;
        const qreal thickness = qreal(pango_font_metrics_get_underline_thickness(metrics)) / PANGO_SCALE;
        pango_font_metrics_unref(metrics);
        cairo_rectangle(cr_, x, baseline - position, width, thickness);
        cairo_fill(cr_);
    }

    void drawPicture(const QImage& picture, const QRectF& box)
    {
        if (picture.isNull())
            return;
        cairo_surface_t* source = sourceOf(picture);
        cairo_save(cr_);
        cairo_translate(cr_, box.x(), box.y());
        cairo_scale(cr_, box.width() / picture.width(), box.height() / picture.height());
        cairo_set_source_surface(cr_, source, 0, 0);
        cairo_paint(cr_);
        cairo_restore(cr_);
    }

    // One cairo image of each picture for the whole document: a logo on
    // every page is written once and shown from there. cairo reads the
    // pixels when it writes them, so they are kept until the document ends.
    cairo_surface_t* sourceOf(const QImage& picture)
    {
        const qint64 key = picture.cacheKey();
        if (const auto known = sources_.constFind(key); known != sources_.cend())
            return known->surface;
        Source made;
        made.pixels = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        made.surface = cairo_image_surface_create_for_data(made.pixels.bits(), CAIRO_FORMAT_ARGB32, made.pixels.width(),
                                                           made.pixels.height(), int(made.pixels.bytesPerLine()));
        return sources_.insert(key, made)->surface;
    }

    struct Source {
        QImage pixels;
        cairo_surface_t* surface = nullptr;
    };
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    PangoContext* pango_ = nullptr;
    QHash<qint64, Source> sources_;
};

// The pages drawn by cairo as one document.
bool draw(QIODevice& out, const QList<Page>& pages, const Document& document)
{
    auto canvas = std::make_unique<Canvas>(out);
    canvas->setMetadata(document);
    for (const Page& page : pages) {
        canvas->startPage(page);
        for (const PageItem& item : page.items)
            canvas->draw(item);
        canvas->endPage();
    }
    if (pages.isEmpty())
        canvas->endPage();
    return canvas->finish();
}

// cairo has no word for the document's language: qpdf puts it into the
// written document's catalogue and writes the document out again, its
// streams passed through as they are.
bool writeWithLanguage(const QByteArray& written, const QString& language, QIODevice& out)
{
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        pdf.processMemoryFile("CostDesk", written.constData(), size_t(written.size()));
        pdf.getRoot().replaceKey("/Lang", QPDFObjectHandle::newUnicodeString(language.toStdString()));
        QPDFWriter writer(pdf);
        writer.setOutputMemory();
        writer.setDecodeLevel(qpdf_dl_none);
        writer.setStreamDataMode(qpdf_s_preserve);
        writer.write();
        const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
        const auto size = qint64(buffer->getSize());
        return out.write(reinterpret_cast<const char*>(buffer->getBuffer()), size) == size;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool write(QIODevice& out, const QList<Page>& pages, const Document& document)
{
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    return draw(written, pages, document) && writeWithLanguage(written.data(), document.language, out);
}

} // namespace PdfWriter
