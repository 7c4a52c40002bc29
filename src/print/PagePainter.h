#pragma once

#include "print/Page.h"

#include <QImage>
#include <QList>

class QPainter;
class QPaintDevice;
class QPrinter;

// Draws pages on any paint device. Millimetres are mapped to device units by
// the device's own resolution, with the origin at the sheet's top-left
// corner (printers are put in full-page mode for that).
namespace PagePainter {

// Draws one page on the painter's device.
void paint(QPainter& painter, const Page& page);

// Device rectangle of a box in millimetres.
QRectF toDevice(const QRectF& mm, const QPaintDevice* device);

// Every page becomes one A4 page of the PDF, turned as the page is (PdfWriter: its text layer is
// the text drawn), written under a temporary name
// and renamed to `path` only when whole. A PDF of a page with personal data
// is its owner's alone (0600); any other as the user's umask leaves it.
// False when the file cannot be written.
bool writePdf(const QString& path, const QList<Page>& pages, const QString& title = QString());

// The page as a white A4 image at this resolution, turned as the page is.
QImage render(const Page& page, int dpi);

// Prints every page on a printer set up by setUpPrinter; false when the
// printer could not be opened.
bool print(QPrinter& printer, const QList<Page>& pages);

// The page set-up of every output: A4, no margins, portrait unless the
// document's pages are landscape.
void setUpPrinter(QPrinter& printer, bool landscape = false);

} // namespace PagePainter
