#include "print/BarcodeSymbols.h"

#include <zint.h>

#include <memory>

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

SymbolModules encode(int symbology, const QByteArray& data, int option1, int option2 = 0)
{
    SymbolModules out;
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        out.error = QStringLiteral("zint: out of memory");
        return out;
    }
    symbol->symbology = symbology;
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = option1;
    symbol->option_2 = option2;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 0;
    symbol->whitespace_height = 0;
    symbol->border_width = 0;
    // The page keeps its own quiet zones around the symbol.
    symbol->output_options = BARCODE_NO_QUIET_ZONES;
    const int status = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()), 0);
    if (status >= ZINT_ERROR || !symbol->vector) {
        out.error = QString::fromLatin1(symbol->errtxt);
        if (out.error.isEmpty())
            out.error = QStringLiteral("zint error %1").arg(status);
        return out;
    }

    // The vector output is in its own units; scale them back to modules.
    const zint_vector* vector = symbol->vector;
    const bool linear = symbol->rows <= 1 && symbology != BARCODE_QRCODE;
    out.width = symbol->width;
    out.height = linear ? 1 : symbol->rows;
    if (vector->width <= 0 || vector->height <= 0 || out.width <= 0) {
        out.error = QStringLiteral("zint: empty symbol");
        return out;
    }
    const qreal kx = out.width / qreal(vector->width);
    const qreal ky = out.height / qreal(vector->height);
    for (const zint_vector_rect* r = vector->rectangles; r; r = r->next) {
        // Only foreground rectangles: white ones would be drawn over black.
        if (r->colour != -1 && r->colour != 7)
            continue;
        out.dark.append(QRectF(r->x * kx, r->y * ky, r->width * kx, r->height * ky));
    }
    if (out.dark.isEmpty())
        out.error = QStringLiteral("zint: no bars");
    return out;
}

} // namespace

SymbolModules EncodeQrCode(const QByteArray& data, int minVersion)
{
    constexpr int levelM = 2;
    // zint takes a version as the one size to use and fails when the data
    // needs more, so the smallest that holds the data is found here.
    for (int version = qBound(0, minVersion, 40); version > 0 && version <= 40; ++version) {
        SymbolModules symbol = encode(BARCODE_QRCODE, data, levelM, version);
        if (symbol.ok())
            return symbol;
    }
    return encode(BARCODE_QRCODE, data, levelM);
}

SymbolModules EncodeCode128(const QByteArray& data)
{
    return encode(BARCODE_CODE128, data, -1);
}
