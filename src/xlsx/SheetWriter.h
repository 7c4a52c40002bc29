#pragma once

#include "xlsx/SheetDescription.h"

#include <QString>

#include <functional>
#include <vector>

// Writes a SheetDescription as an .xlsx file. Rows stream to disk top to
// bottom, so memory stays flat however long the listing; each distinct cell
// format becomes one workbook format.

// Called with the rows written so far and the rows in all; return false to
// stop. Packing the file after the last row is not reported.
using SheetProgress = std::function<bool(qint64 rowsWritten, qint64 totalRows)>;

struct SheetWriteOptions {
    SheetProgress progress;
    int progressEvery = 2000; // rows between calls
    // False: a file already at the path is left alone, and the sheet takes
    // the first free name "name (2).xlsx", "name (3).xlsx" … instead, as a
    // desktop numbers copies; two writers racing for one name each get a
    // name of their own.
    bool replaceExisting = true;
};

struct SheetWriteResult {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Written;
    QString message; // Thai, for the message box; empty when written
    QString path;    // where the file was written

    bool ok() const { return status == Status::Written; }
};

// The file appears at `path` only when complete: it is written beside it
// under a temporary name and renamed over it at the end. On failure or
// cancellation nothing new is left in the folder and an existing file at
// `path` is untouched.
SheetWriteResult WriteSheet(const SheetDescription& sheet, const QString& path,
                            const SheetWriteOptions& options = {});

// The workbook format WriteSheet makes of one cell format, and the order in
// which it numbers the sheet's formats: the most used first, since the
// number goes into every cell (the export benchmark writes the same formats
// without the rest of the writer).
// A format's font is the sheet's standard font (`fontName`, `standardSize`)
// unless it names a size of its own; an empty name keeps the library's.
struct lxw_workbook;
struct lxw_format;
lxw_format* AddWorkbookFormat(lxw_workbook* workbook, const CellFormat& format, const QString& fontName = QString(),
                              double standardSize = 0);
std::vector<size_t> FormatsByUse(const SheetDescription& sheet);
