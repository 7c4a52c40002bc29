#include "ui/StringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QPalette>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

#include "ui/Appearance.h"

StringTableModel::StringTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StringTableModel::setGridColumns(int count)
{
    count = std::max(count, 0);
    if (count == columns_)
        return;
    beginResetModel();
    columns_ = count;
    for (QStringList& row : cells_)
        row.resize(count);
    endResetModel();
}

void StringTableModel::setGridRows(int count)
{
    count = std::max(count, 1);  // the header row always exists
    const int current = gridRows();
    if (count > current) {
        if (current == 0) {
            cells_.append(QStringList(columns_, QString()));
            if (count == 1)
                return;
        }
        const int first = gridRows();
        beginInsertRows({}, first - 1, count - 2);
        while (gridRows() < count)
            cells_.append(QStringList(columns_, QString()));
        endInsertRows();
    } else if (count < current) {
        beginRemoveRows({}, count - 1, current - 2);
        cells_.resize(count);
        endRemoveRows();
    }
}

QString StringTableModel::cell(int col, int row) const
{
    if (row < 0 || row >= gridRows() || col < 0 || col >= columns_)
        return {};
    return cells_.at(row).at(col);
}

void StringTableModel::setCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0 || col >= columns_)
        return;
    if (row >= gridRows())
        setGridRows(row + 1);
    cells_[row][col] = text;
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(index(row - 1, col), index(row - 1, col));
}

void StringTableModel::setDataRows(QVector<QStringList> rows)
{
    beginResetModel();
    const QStringList header = cells_.isEmpty() ? QStringList(columns_, QString()) : cells_.first();
    for (QStringList& row : rows)
        if (row.size() != columns_)
            row.resize(columns_);
    cells_ = std::move(rows);
    cells_.prepend(header);
    endResetModel();
}

void StringTableModel::removeDataRow(int row)
{
    if (row < 1 || row >= gridRows())
        return;
    beginRemoveRows({}, row - 1, row - 1);
    cells_.remove(row);
    endRemoveRows();
}

void StringTableModel::setRightAligned(int col, bool right)
{
    if (right == rightAligned_.contains(col))
        return;
    if (right)
        rightAligned_.insert(col);
    else
        rightAligned_.remove(col);
    if (col >= 0 && col < columns_ && gridRows() > 1)
        emit dataChanged(index(0, col), index(gridRows() - 2, col), {Qt::TextAlignmentRole});
}

int StringTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(gridRows() - 1, 0);
}

int StringTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_;
}

QVariant StringTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cells_.at(index.row() + 1).at(index.column());
    if (role == Qt::TextAlignmentRole && rightAligned_.contains(index.column()))
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (index.column() == 0) {
        // The fixed column looks like the header.
        if (role == Qt::BackgroundRole)
            return QApplication::palette().button();
        if (role == Qt::ForegroundRole)
            return QApplication::palette().buttonText();
    }
    return {};
}

QVariant StringTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return cell(section, 0);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags StringTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new StringTableModel(this))
{
    setModel(model_);
    model_->setGridRows(1);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    // Long names use the room right of the last column instead of being cut.
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
    // Header changes reset the model; widths are kept by the grid.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < widths_.size(); ++c)
            setColWidth(c, widths_.at(c));
    });
    connect(model_, &QAbstractItemModel::headerDataChanged, this, [this](Qt::Orientation, int first, int last) {
        for (int c = first; c <= last; ++c)
            applyWidth(c);
    });
}

void StringGrid::setColWidth(int col, int width)
{
    if (col < 0)
        return;
    if (widths_.size() <= col)
        widths_.resize(col + 1, 64);
    widths_[col] = width;
    applyWidth(col);
}

void StringGrid::applyWidth(int col)
{
    if (col < 0 || col >= colCount())
        return;
    const int width = colWidth(col);
    setColumnHidden(col, width == 0);
    if (width > 0)
        setColumnWidth(col, std::max(Appearance::scaled(width), minimumWidth(col)));
}

int StringGrid::minimumWidth(int col) const
{
    // The header's own margins on either side of its text, and a little air.
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 8;
    int widest = horizontalHeader()->fontMetrics().horizontalAdvance(cell(col, 0));
    if (model_->isRightAligned(col))
        widest = std::max(widest, fontMetrics().horizontalAdvance(Appearance::WidestAmountText));
    return widest + margins;
}

void StringGrid::fitColumnToCells(int col)
{
    if (col < 0 || col >= colCount() || isColumnHidden(col))
        return;
    const QFontMetrics metrics = fontMetrics();
    int widest = 0;
    for (int row = 1; row < rowCount(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(cell(col, row)));
    // The cell's own margins and a little air.
    const int margins = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    setColumnWidth(col, std::max(columnWidth(col), widest + margins));
}

void StringGrid::setAmountColumn(int col)
{
    model_->setRightAligned(col, true);
    applyWidth(col);
}

bool StringGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    // A cell whose text is cut off shows its whole text.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.isValid() ? index.data(Qt::DisplayRole).toString() : QString();
    if (!text.isEmpty() && isCellCut(index))
        QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
    else
        QToolTip::hideText();
    return true;
}

bool StringGrid::isCellCut(const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    // The style's text margins on either side of the cell.
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    return fontMetrics().horizontalAdvance(text) + margins > columnWidth(index.column());
}

QString StringGrid::toolTipAt(int col, int row) const
{
    const QModelIndex index = model_->index(row - 1, col);
    return index.isValid() && isCellCut(index) ? index.data(Qt::DisplayRole).toString() : QString();
}

int StringGrid::colWidth(int col) const
{
    return col >= 0 && col < widths_.size() ? widths_.at(col) : 64;
}

void StringGrid::resetGrid(const QList<Column>& columns)
{
    model_->setGridRows(1);
    model_->setGridColumns(int(columns.size()));
    model_->setGridRows(2);
    for (int c = 0; c < columns.size(); ++c) {
        model_->setCell(c, 0, columns.at(c).caption);
        model_->setCell(c, 1, QString());
        setColWidth(c, columns.at(c).width);
    }
    setCurrentRow(1);
}

void StringGrid::appendRow(const QStringList& cells)
{
    const int row = rowCount();
    model_->setGridRows(row + 1);
    for (int c = 0; c < cells.size() && c < colCount(); ++c)
        model_->setCell(c, row, cells.at(c));
}

void StringGrid::setDataRows(QVector<QStringList> rows)
{
    if (rows.isEmpty())
        rows.append(QStringList(colCount(), QString()));
    model_->setDataRows(std::move(rows));
}

void StringGrid::removeRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    if (rowCount() == 2) {
        for (int c = 0; c < colCount(); ++c)
            setCell(c, 1, QString());
        return;
    }
    model_->removeDataRow(row);
}

int StringGrid::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() + 1 : 1;
}

void StringGrid::setCurrentRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    setCurrentIndex(model_->index(row - 1, colCount() > 1 ? 1 : 0));
}
