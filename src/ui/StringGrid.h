#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QStringList>
#include <QTableView>
#include <QVector>

// The cells of a string grid: row 0 is the header row, rows 1.. the data.
// A plain table of strings, so that listings of many thousand rows stay light.
class StringTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringTableModel(QObject* parent = nullptr);

    int gridColumns() const { return columns_; }
    int gridRows() const { return int(cells_.size()); }
    void setGridColumns(int count);
    void setGridRows(int count);
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Replaces every data row at once, with one reset for the whole listing
    // instead of a signal per cell. Rows shorter than the grid are padded.
    void setDataRows(QVector<QStringList> rows);
    // Removes data row `row` (1 ..); the header row stays.
    void removeDataRow(int row);
    // Columns whose cells stand at the right, as amounts do.
    void setRightAligned(int col, bool right);
    bool isRightAligned(int col) const { return rightAligned_.contains(col); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int columns_ = 0;
    QVector<QStringList> cells_;
    QSet<int> rightAligned_;
};

// A string grid addressed by (column, row) as the windows know it: a fixed
// header row 0, a fixed column 0 drawn like a header, whole-row selection and
// a current row. A column width of 0 hides the column (the key column).
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    int colCount() const { return model_->gridColumns(); }
    void setColCount(int count) { model_->setGridColumns(count); }
    int rowCount() const { return model_->gridRows(); }
    void setRowCount(int count) { model_->setGridRows(count); }
    QString cell(int col, int row) const { return model_->cell(col, row); }
    void setCell(int col, int row, const QString& text) { model_->setCell(col, row, text); }

    // Widths are given for the old 8-point screen and scaled to the UI font;
    // colWidth() answers in the given unit. A shown column is never narrower
    // than its header text (nor an amount column than the largest amount),
    // and the last shown column stretches to the grid's right edge.
    void setColWidth(int col, int width);
    int colWidth(int col) const;

    // Widens a shown column to its widest cell, so that none of its texts is
    // cut off; the column's own width returns with the next reset.
    void fitColumnToCells(int col);

    // An amount column: its cells stand at the right and it is wide enough
    // for 99,999,999,999.99.
    void setAmountColumn(int col);

    // The tooltip a cell shows: its whole text when the column cuts it off,
    // else nothing.
    QString toolTipAt(int col, int row) const;

    // A column: its header and its width (see setColWidth; 0 hides it).
    struct Column {
        QString caption;
        int width = 64;
    };
    // Back to the header row plus one empty data row, with these columns.
    void resetGrid(const QList<Column>& columns);
    // Appends one data row (the grid grows by one row).
    void appendRow(const QStringList& cells);
    // The listing's rows below the header, in one go: the grid ends with
    // rows.size() + 1 rows (header and one empty row when there are none).
    void setDataRows(QVector<QStringList> rows);
    // Removes data row `row` (1 ..); the rows below move up. The last data
    // row left empties instead, so that the grid keeps its one empty row.
    void removeRow(int row);

    // The selected data row (1 ..), or 1 when nothing is selected yet.
    int currentRow() const;
    void setCurrentRow(int row);
    // The text of the given column in the current row.
    QString currentCell(int col) const { return cell(col, currentRow()); }

    StringTableModel* gridModel() const { return model_; }

protected:
    bool viewportEvent(QEvent* event) override;

private:
    bool isCellCut(const QModelIndex& index) const;
    // The narrowest a shown column may be, in pixels.
    int minimumWidth(int col) const;
    void applyWidth(int col);

    StringTableModel* model_;
    QList<int> widths_;
};
