#pragma once

#include "print/Page.h"

#include <QList>
#include <QString>

class QIODevice;

// Writes pages as a PDF whose text layer is the text drawn: each text item
// is shaped by Pango and written by cairo with the characters of every
// shaped cluster beside its glyphs, so that Thai tone marks, SARA AM and
// the vowels above and below come back whole when the PDF is searched,
// copied or read aloud. The items stand where PagePainter puts them on
// screen and paper: the fonts, their fitted sizes and the lines of wrapped
// texts are measured by Qt exactly as PagePainter measures them, and only
// the drawing of each line is Pango's.
namespace PdfWriter {

struct Document {
    QString title;                             // the document's title, e.g. "ใบแจ้งการชำระเงิน 2570/00012"
    QString creator = QStringLiteral("CostDesk");
    QString language = QStringLiteral("th");   // the text's language, for readers and screen readers
};

// Every page becomes one A4 page, turned as the page is; a document without pages still has its
// one blank sheet. False when the device cannot be written.
bool write(QIODevice& out, const QList<Page>& pages, const Document& document);

} // namespace PdfWriter
