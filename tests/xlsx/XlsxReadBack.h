#pragma once

// Reads a written .xlsx back with an independent reader (openpyxl) and
// returns what a spreadsheet would show: values with their types, each
// cell's formatting, column widths, rows' formats and the page set-up.

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

namespace xlsxcheck {

inline const char* kDumpScript = R"PY(
import json, sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
ws = wb.worksheets[0]
def colour(c):
    if c is not None and c.type == 'rgb' and c.rgb is not None:
        return str(c.rgb)[-6:].upper()
    return None
def side(s):
    return s.style if s is not None and s.style else None
cells = {}
for row in ws.iter_rows():
    for c in row:
        if c.value is None and not c.has_style:
            continue
        v = c.value
        if v is None: t = 'blank'
        elif isinstance(v, bool): t = 'bool'
        elif isinstance(v, (int, float)): t = 'number'
        elif isinstance(v, str): t = 'text'
        else: t = type(v).__name__
        cells[c.coordinate] = {
            'type': t, 'value': v, 'numFmt': c.number_format,
            'size': c.font.sz, 'font': c.font.name, 'bold': bool(c.font.b), 'colour': colour(c.font.color),
            'fill': colour(c.fill.fgColor) if c.fill.fill_type == 'solid' else None,
            'align': c.alignment.horizontal,
            'left': side(c.border.left), 'right': side(c.border.right),
            'top': side(c.border.top), 'bottom': side(c.border.bottom)}
rows = {}
for i, d in ws.row_dimensions.items():
    rows[str(i)] = {'size': d.font.sz if d.has_style else None, 'height': d.ht}
m = ws.page_margins
ps = ws.page_setup
out = {
  'sheets': wb.sheetnames, 'cells': cells, 'rows': rows,
  'widths': {k: v.width for k, v in ws.column_dimensions.items() if v.width},
  'defaultRowHeight': ws.sheet_format.defaultRowHeight,
  'customDefaultHeight': bool(ws.sheet_format.customHeight),
  'maxRow': ws.max_row, 'maxColumn': ws.max_column,
  'merged': [str(r) for r in ws.merged_cells.ranges],
  'styleCount': len(wb._cell_styles),
  'header': {'left': ws.oddHeader.left.text, 'centre': ws.oddHeader.center.text, 'right': ws.oddHeader.right.text},
  'footer': {'left': ws.oddFooter.left.text, 'centre': ws.oddFooter.center.text, 'right': ws.oddFooter.right.text},
  'margins': {'left': m.left, 'right': m.right, 'top': m.top, 'bottom': m.bottom, 'header': m.header, 'footer': m.footer},
  'orientation': ps.orientation, 'paper': str(ps.paperSize), 'order': ps.pageOrder,
  'fitToPage': bool(ws.sheet_properties.pageSetUpPr and ws.sheet_properties.pageSetUpPr.fitToPage),
  'fitToWidth': ps.fitToWidth, 'fitToHeight': ps.fitToHeight,
  'standardFont': wb._fonts[0].name, 'standardSize': wb._fonts[0].sz,
  'firstPageNumber': ps.firstPageNumber, 'useFirstPageNumber': ps.useFirstPageNumber,
  'printTitleRows': ws.print_title_rows}
json.dump(out, sys.stdout, ensure_ascii=False)
)PY";

// A Python 3 that has openpyxl: $COSTDESK_PYTHON, or the first python3 on
// the PATH that can import it (a version manager's python3 often cannot,
// while the system's can). Empty when there is none.
inline QString pythonWithOpenpyxl()
{
    static const QString found = [] {
        QStringList candidates;
        if (const QString env = qEnvironmentVariable("COSTDESK_PYTHON"); !env.isEmpty())
            candidates << env;
        for (const QString& dir : qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
            const QString exe = QStandardPaths::findExecutable(QStringLiteral("python3"), {dir});
            if (!exe.isEmpty() && !candidates.contains(exe))
                candidates << exe;
        }
        for (const QString& exe : candidates) {
            QProcess p;
            p.start(exe, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
            if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
                return exe;
        }
        return QString();
    }();
    return found;
}

inline const QString kNoReader =
    QStringLiteral("SKIPPED: no python3 with openpyxl (Debian package python3-openpyxl) was found on the "
                   "PATH or in COSTDESK_PYTHON; the written workbooks cannot be read back");

// The file's contents as the reader sees them; error tells why not.
inline std::optional<QJsonObject> readBack(const QString& path, QString& error)
{
    QProcess p;
    p.start(pythonWithOpenpyxl(), {QStringLiteral("-c"), QString::fromUtf8(kDumpScript), path});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error = QStringLiteral("reader failed: ") + QString::fromUtf8(p.readAllStandardError());
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &parseError);
    if (!doc.isObject()) {
        error = QStringLiteral("reader output is no JSON object: ") + parseError.errorString();
        return std::nullopt;
    }
    return doc.object();
}

// The column width a reader finds for a ColumnWidth of `width` characters is
// stored with the cell padding; compare in whole pixels of the standard
// font (7 pixels a character, 5 of padding).
inline int storedWidthPixels(double stored)
{
    return int(stored * 7 + 0.5) - 5;
}
inline int widthPixels(double width)
{
    return int(width * 7 + 0.5);
}

} // namespace xlsxcheck
