#include "xlsx/SheetWriter.h"

#include "core/FileModes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <filesystem>

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <system_error>
#include <vector>

namespace {

SheetWriteResult failure(const QString& path, const QString& reason)
{
    return {SheetWriteResult::Status::Failed,
            QStringLiteral("ไม่สามารถบันทึกแฟ้ม %1 ได้\n%2").arg(QDir::toNativeSeparators(path), reason)};
}

// What a failure of the system means to the clerk, in Thai, with the
// system's own words after it.
QString systemReason(int error)
{
    QString said;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        said = QStringLiteral("ดิสก์เต็ม กรุณาลบแฟ้มที่ไม่ใช้เพื่อเพิ่มพื้นที่ว่าง แล้วลองใหม่อีกครั้ง");
        break;
    case EACCES:
    case EPERM:
        said = QStringLiteral("ไม่มีสิทธิ์เขียนในโฟลเดอร์นี้ กรุณาเลือกโฟลเดอร์อื่น");
        break;
    case EROFS:
        said = QStringLiteral("โฟลเดอร์นี้เขียนไม่ได้ (อ่านได้อย่างเดียว) กรุณาเลือกโฟลเดอร์อื่น");
        break;
    case ENOENT:
    case ENOTDIR:
        said = QStringLiteral("ไม่พบโฟลเดอร์ที่จะบันทึก กรุณาเลือกโฟลเดอร์ที่มีอยู่");
        break;
    case ENAMETOOLONG:
        said = QStringLiteral("ชื่อแฟ้มยาวเกินไป กรุณาตั้งชื่อให้สั้นลง");
        break;
    case EIO:
        said = QStringLiteral("อ่านหรือเขียนดิสก์ไม่ได้ กรุณาแจ้งผู้ดูแลระบบ");
        break;
    default:
        said = QStringLiteral("เขียนแฟ้มไม่สำเร็จ");
    }
    return said + QStringLiteral(" (") + QString::fromLocal8Bit(strerror(error)) + u')';
}

// libxlsxwriter's failure in Thai; its own words and the system's follow.
QString lxwReason(lxw_error error, int systemError)
{
    QString said;
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        said = QStringLiteral("หน่วยความจำไม่พอ กรุณาปิดโปรแกรมอื่นที่ไม่ใช้ แล้วลองใหม่อีกครั้ง");
        break;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_PARAMETER_ERROR:
    case LXW_ERROR_ZIP_BAD_ZIP_FILE:
    case LXW_ERROR_ZIP_INTERNAL_ERROR:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return (systemError ? systemReason(systemError) : QStringLiteral("เขียนแฟ้มไม่สำเร็จ"))
            + QStringLiteral(" [libxlsxwriter: ") + QString::fromUtf8(lxw_strerror(error)) + u']';
    default:
        said = QStringLiteral("เขียนข้อมูลลงแฟ้มไม่สำเร็จ");
    }
    return said + QStringLiteral(" [libxlsxwriter: ") + QString::fromUtf8(lxw_strerror(error)) + u']';
}

// The longest name a file may have on Linux file systems, in bytes; the
// name reserved while writing is the target's with 13 more.
constexpr qsizetype kLongestFileName = 255 - 13;

lxw_color_t colour(quint32 rgb)
{
    // The library takes 0 as "no colour"; black has its own value.
    return rgb == 0 ? lxw_color_t(LXW_COLOR_BLACK) : lxw_color_t(rgb);
}

uint8_t borderStyle(BorderLine line)
{
    switch (line) {
    case BorderLine::None: return LXW_BORDER_NONE;
    case BorderLine::Hair: return LXW_BORDER_HAIR;
    case BorderLine::Thin: return LXW_BORDER_THIN;
    case BorderLine::Medium: return LXW_BORDER_MEDIUM;
    case BorderLine::Thick: return LXW_BORDER_THICK;
    case BorderLine::Dashed: return LXW_BORDER_DASHED;
    case BorderLine::Dotted: return LXW_BORDER_DOTTED;
    case BorderLine::Double: return LXW_BORDER_DOUBLE;
    }
    return LXW_BORDER_NONE;
}

uint8_t alignment(HAlign align)
{
    switch (align) {
    case HAlign::General: return LXW_ALIGN_NONE;
    case HAlign::Left: return LXW_ALIGN_LEFT;
    case HAlign::Centre: return LXW_ALIGN_CENTER;
    case HAlign::Right: return LXW_ALIGN_RIGHT;
    case HAlign::CentreAcrossSelection: return LXW_ALIGN_CENTER_ACROSS;
    }
    return LXW_ALIGN_NONE;
}

} // namespace

namespace {

void setFont(lxw_format* format, const QString& name, double size)
{
    if (!name.isEmpty())
        format_set_font_name(format, name.toUtf8().constData());
    if (size > 0)
        format_set_font_size(format, size);
}

} // namespace

lxw_format* AddWorkbookFormat(lxw_workbook* workbook, const CellFormat& f, const QString& fontName, double standardSize)
{
    lxw_format* format = workbook_add_format(workbook);
    setFont(format, fontName, f.fontSize > 0 ? f.fontSize : standardSize);
    if (f.bold)
        format_set_bold(format);
    if (f.fontColour)
        format_set_font_color(format, colour(*f.fontColour));
    if (f.fill) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, colour(*f.fill));
    }
    if (f.align != HAlign::General)
        format_set_align(format, alignment(f.align));
    if (f.left != BorderLine::None)
        format_set_left(format, borderStyle(f.left));
    if (f.right != BorderLine::None)
        format_set_right(format, borderStyle(f.right));
    if (f.top != BorderLine::None)
        format_set_top(format, borderStyle(f.top));
    if (f.bottom != BorderLine::None)
        format_set_bottom(format, borderStyle(f.bottom));
    if (!f.numberFormat.isEmpty())
        format_set_num_format(format, f.numberFormat.toUtf8().constData());
    return format;
}

std::vector<size_t> FormatsByUse(const SheetDescription& sheet)
{
    std::vector<qint64> uses(size_t(sheet.formats.size()), 0);
    const auto count = [&](int styleIndex, qsizetype values) {
        if (styleIndex < 0)
            return;
        const RowStyle& style = sheet.rowStyles[styleIndex];
        const qsizetype columns = std::max(values, style.cellFormats.size());
        for (qsizetype c = 0; c < columns; ++c)
            if (const int f = style.formatOf(int(c)); f >= 0)
                ++uses[size_t(f)];
    };
    for (const SheetRow& row : sheet.rows)
        count(row.style, row.values.size());
    const int blockColumns = sheet.block.source ? sheet.block.source->columnCount() : 0;
    for (int r = 0; r < sheet.block.rowCount(); ++r)
        count(sheet.block.style(r), blockColumns);
    std::vector<size_t> order(uses.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return uses[a] > uses[b]; });
    return order;
}

namespace {

// UTF-8 of one cell text into a reused, NUL-terminated buffer: no allocation
// per cell.
class Utf8Buffer {
public:
    const char* operator()(QStringView text)
    {
        const qsizetype need = encoder_.requiredSpace(text.size()) + 1;
        if (buffer_.size() < need)
            buffer_.resize(need);
        char* end = encoder_.appendToBuffer(buffer_.data(), text);
        *end = '\0';
        return buffer_.constData();
    }

private:
    QStringEncoder encoder_{QStringEncoder::Utf8};
    QByteArray buffer_;
};

void setUpPage(lxw_worksheet* ws, const PageSetup& page)
{
    const QByteArray header = page.headerString().toUtf8();
    const QByteArray footer = page.footerString().toUtf8();
    lxw_header_footer_options headerOptions{};
    headerOptions.margin = page.headerMargin;
    lxw_header_footer_options footerOptions{};
    footerOptions.margin = page.footerMargin;
    worksheet_set_header_opt(ws, header.constData(), &headerOptions);
    worksheet_set_footer_opt(ws, footer.constData(), &footerOptions);
    worksheet_set_margins(ws, page.leftMargin, page.rightMargin, page.topMargin, page.bottomMargin);
    if (page.orientation == Orientation::Portrait)
        worksheet_set_portrait(ws);
    else
        worksheet_set_landscape(ws);
    worksheet_set_paper(ws, uint8_t(page.paperSize));
    if (!page.downThenOver)
        worksheet_print_across(ws);
    if (page.firstPageNumber)
        worksheet_set_start_page(ws, uint16_t(*page.firstPageNumber));
    if (page.fitToWidth)
        worksheet_fit_to_pages(ws, 1, 0);
    if (page.repeatFirstRow >= 0 && page.repeatLastRow >= page.repeatFirstRow)
        worksheet_repeat_rows(ws, lxw_row_t(page.repeatFirstRow), lxw_row_t(page.repeatLastRow));
}

// Owns the workbook until it is closed; a workbook dropped unclosed writes
// nothing.
struct WorkbookHandle {
    lxw_workbook* workbook = nullptr;
    ~WorkbookHandle()
    {
        if (workbook)
            lxw_workbook_free(workbook);
    }
    lxw_error close()
    {
        const lxw_error e = workbook_close(workbook);
        workbook = nullptr; // freed by close, whatever its result
        return e;
    }
};

// Fills the sheet row by row, the block's among the others in their order;
// an empty result means success.
std::optional<QString> writeRows(lxw_worksheet* ws, const SheetDescription& sheet,
                                 const std::vector<lxw_format*>& formats, const SheetWriteOptions& options,
                                 bool& cancelled)
{
    Utf8Buffer utf8;
    QString scratch;
    const qint64 total = sheet.rowCount();
    const int every = std::max(1, options.progressEvery);
    qint64 written = 0;
    int previous = -1;
    auto formatAt = [&](int index) { return index >= 0 ? formats[size_t(index)] : nullptr; };

    // One row: its index, style, number of values and a cell's value.
    auto writeRow = [&](int index, int styleIndex, qsizetype values,
                        const auto& valueAt) -> std::optional<QString> {
        // The file is streamed: a row can only follow the rows above it.
        if (index <= previous || index < 0)
            return QStringLiteral("rows out of order at %1").arg(index + 1);
        previous = index;

        const RowStyle* style = styleIndex >= 0 ? &sheet.rowStyles[styleIndex] : nullptr;
        if (style && (style->height > 0 || style->rowFormat >= 0)) {
            worksheet_set_row(ws, lxw_row_t(index), style->height > 0 ? style->height : LXW_DEF_ROW_HEIGHT,
                              formatAt(style->rowFormat));
        }
        const qsizetype columns = std::max(values, style ? style->cellFormats.size() : 0);
        for (qsizetype c = 0; c < columns; ++c) {
            lxw_format* format = style ? formatAt(style->formatOf(int(c))) : nullptr;
            const CellValueView value = c < values ? valueAt(int(c), style) : CellValueView();
            lxw_error e = LXW_NO_ERROR;
            switch (value.type) {
            case CellValue::Type::Blank:
                if (format)
                    e = worksheet_write_blank(ws, lxw_row_t(index), lxw_col_t(c), format);
                break;
            case CellValue::Type::Number:
                e = worksheet_write_number(ws, lxw_row_t(index), lxw_col_t(c), value.number, format);
                break;
            case CellValue::Type::Text:
                e = worksheet_write_string(ws, lxw_row_t(index), lxw_col_t(c), utf8(value.text), format);
                break;
            }
            if (e != LXW_NO_ERROR)
                return QStringLiteral("แถว %1 คอลัมน์ %2: %3").arg(index + 1).arg(c + 1).arg(lxwReason(e, errno));
        }
        ++written;
        if (options.progress && (written % every == 0 || written == total) && !options.progress(written, total))
            cancelled = true;
        return std::nullopt;
    };
    auto writeListed = [&](const SheetRow& row) {
        return writeRow(row.index, row.style, row.values.size(), [&](int c, const RowStyle* style) {
            return style && style->keepsText(c) ? ClassifyKeptTextView(row.values[c])
                                                : ClassifyTypedTextView(row.values[c]);
        });
    };

    if (options.progress && !options.progress(0, total)) {
        cancelled = true;
        return std::nullopt;
    }
    const SheetBlock& block = sheet.block;
    const int blockRows = block.rowCount();
    const int blockColumns = block.source ? block.source->columnCount() : 0;
    qsizetype next = 0;
    for (; next < sheet.rows.size() && (blockRows == 0 || sheet.rows[next].index < block.firstRow); ++next) {
        if (std::optional<QString> error = writeListed(sheet.rows[next]))
            return error;
        if (cancelled)
            return std::nullopt;
    }
    for (int r = 0; r < blockRows; ++r) {
        const std::optional<QString> error =
            writeRow(block.firstRow + r, block.style(r), blockColumns,
                     [&](int c, const RowStyle*) { return block.source->value(r, c, scratch); });
        if (error)
            return error;
        if (cancelled)
            return std::nullopt;
    }
    for (; next < sheet.rows.size(); ++next) {
        if (std::optional<QString> error = writeListed(sheet.rows[next]))
            return error;
        if (cancelled)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

SheetWriteResult WriteSheet(const SheetDescription& sheet, const QString& path, const SheetWriteOptions& options)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    if (!folder.exists())
        return failure(path, QStringLiteral("ไม่พบโฟลเดอร์ %1").arg(QDir::toNativeSeparators(folder.path())));

    // Reserve a name beside the target, so the final rename stays on one
    // file system and cannot leave a half-written file under the real name.
    if (QFile::encodeName(target.fileName()).size() > kLongestFileName)
        return failure(path, QStringLiteral("ชื่อแฟ้มยาวเกินไป (ยาวได้ไม่เกิน %1 ไบต์ ราว %2 ตัวอักษรภาษาไทย) "
                                            "กรุณาตั้งชื่อให้สั้นลง")
                                 .arg(kLongestFileName)
                                 .arg(kLongestFileName / 3));
    QTemporaryFile partial(folder.filePath(QStringLiteral(".%1.XXXXXX.part").arg(target.fileName())));
    errno = 0;
    if (!partial.open())
        return failure(path, systemReason(errno ? errno : EIO));
    partial.close();
    const QByteArray partialName = QFile::encodeName(partial.fileName());

    QByteArray scratchDir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options workbookOptions{};
    workbookOptions.constant_memory = LXW_TRUE;
    workbookOptions.tmpdir = scratchDir.data();
    WorkbookHandle handle;
    handle.workbook = workbook_new_opt(partialName.constData(), &workbookOptions);
    if (!handle.workbook)
        return failure(path, systemReason(errno ? errno : ENOMEM));

    const QByteArray sheetName = sheet.name.toUtf8();
    lxw_worksheet* ws = workbook_add_worksheet(handle.workbook, sheet.name.isEmpty() ? nullptr : sheetName.constData());
    if (!ws)
        return failure(path, QStringLiteral("ชื่อแผ่นงาน \"%1\" ใช้ไม่ได้").arg(sheet.name));

    // The standard font is the first format's, which the library made with
    // the workbook: cells without a format of their own, and the reader's
    // column-width unit, take it.
    if (lxw_format* standard = STAILQ_FIRST(handle.workbook->formats))
        setFont(standard, sheet.fontName, sheet.fontName.isEmpty() ? 0 : sheet.fontSize);

    std::vector<lxw_format*> formats;
    formats.reserve(size_t(sheet.formats.size()));
    for (const CellFormat& f : sheet.formats)
        formats.push_back(AddWorkbookFormat(handle.workbook, f, sheet.fontName,
                                            sheet.fontName.isEmpty() ? 0 : sheet.fontSize));

    // Style numbers are written into every cell; giving the most used
    // formats the lowest numbers keeps a long listing's file shorter.
    for (size_t i : FormatsByUse(sheet))
        lxw_format_get_xf_index(formats[i]);

    if (sheet.defaultRowHeight > 0)
        worksheet_set_default_row(ws, sheet.defaultRowHeight, LXW_FALSE);
    for (const ColumnWidth& w : sheet.columnWidths)
        worksheet_set_column(ws, lxw_col_t(w.column), lxw_col_t(w.column), w.width, nullptr);
    setUpPage(ws, sheet.page);

    bool cancelled = false;
    if (const std::optional<QString> error = writeRows(ws, sheet, formats, options, cancelled))
        return failure(path, *error);
    if (cancelled)
        return {SheetWriteResult::Status::Cancelled, QString()};

    errno = 0;
    if (const lxw_error e = handle.close(); e != LXW_NO_ERROR) {
        const int systemError = errno;
        QFile::remove(partial.fileName());
        return failure(path, lxwReason(e, systemError));
    }

    // The reserved name was private to its owner; the export is an ordinary
    // document, as open as the user's umask lets documents be.
    FileModes::apply(partial.fileName(), FileModes::Holds::Ordinary);
    QString written = target.absoluteFilePath();
    if (options.replaceExisting) {
        std::error_code ec;
        std::filesystem::rename(std::filesystem::path(partial.fileName().toStdU16String()),
                                std::filesystem::path(written.toStdU16String()), ec);
        if (ec) {
            QFile::remove(partial.fileName());
            return failure(path, systemReason(ec.value()));
        }
    } else {
        // A hard link takes the name in one step and never replaces a file:
        // of two writers racing for a name, one gets it and the other moves
        // on to the next. (QFile::rename checks and renames in two steps, and
        // two writers could both be told they had the same name.)
        const auto takeName = [&partial](const QString& name) {
            return ::link(QFile::encodeName(partial.fileName()).constData(), QFile::encodeName(name).constData())
                   == 0;
        };
        for (int n = 2; !takeName(written); ++n) {
            if (errno != EEXIST || n > 9999) {
                const int systemError = errno;
                QFile::remove(partial.fileName());
                return failure(path, systemReason(systemError == EEXIST ? EIO : systemError));
            }
            const QString suffix = target.suffix().isEmpty() ? QString() : u'.' + target.suffix();
            written = folder.filePath(QStringLiteral("%1 (%2)%3").arg(target.completeBaseName()).arg(n).arg(suffix));
        }
    }
    if (options.replaceExisting)
        partial.setAutoRemove(false); // its name is gone; the file is the target now
    else
        QFile::remove(partial.fileName()); // the target is its other name
    return {SheetWriteResult::Status::Written, QString(), written};
}
