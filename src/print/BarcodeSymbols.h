#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

// Barcode symbols as dark rectangles, so that pages can draw them as filled
// boxes: sharp at any resolution, in a PDF as on paper.
struct SymbolModules {
    // Dark areas in module units, from the symbol's top-left corner, without
    // any quiet zone. A linear symbol is one module high: its bars run
    // from y 0 to 1 and are stretched to the printed height.
    QList<QRectF> dark;
    int width = 0;  // modules
    int height = 0; // modules; 1 for a linear symbol
    QString error;  // the encoder's message when nothing could be drawn

    bool ok() const { return error.isEmpty() && width > 0; }
};

// A QR code of the bytes, error correction level M, the smallest version
// from minVersion up (1 to 40; 0 for no lower limit) that holds them.
SymbolModules EncodeQrCode(const QByteArray& data, int minVersion = 0);
// A Code 128 symbol of the bytes (any ASCII, control characters included).
SymbolModules EncodeCode128(const QByteArray& data);

// The quiet zones the symbologies ask for, in modules on each side.
inline constexpr int kQrQuietModules = 4;
inline constexpr int kCode128QuietModules = 10;
