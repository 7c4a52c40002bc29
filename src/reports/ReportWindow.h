#pragma once

#include "ui/WorkingWindow.h"
#include "xlsx/ReportSheet.h"

#include <QVector>

class DateMaskEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class StringGrid;

// The frame the period listings share: a date range, "แสดงผล" filling the
// grid from one query, and the export of what the grid shows to a
// spreadsheet file. Each listing gives its texts, columns and rows.
class ReportWindow : public WorkingWindow {
    Q_OBJECT
public:
    struct Texts {
        QString caption;           // the window's title
        QString heading;           // Label3
        QString rangeLabel;        // before edtBeg_date
        QString spreadsheetTitle;  // row 1 of the exported sheet
    };
    ReportWindow(WorkContext& context, const Texts& texts, QWidget* parent = nullptr);

    void FormCreate();
    void btnSelectClick();
    void BitBtn1Click();
    void btnExitClick();

    // Where exports are written: COSTDESK_EXPORT_DIR when set, else the
    // user's documents, folder CostDesk.
    static QString exportFolder();

protected:
    // The listing's header texts and column widths (0 keeps the grid's
    // default width).
    virtual QStringList headers() const = 0;
    virtual QList<int> widths() const = 0;
    // The grid rows for the range (yyyymmdd texts), total rows included;
    // empty when nothing is found.
    virtual QVector<QStringList> listRows(const QString& from, const QString& to) = 0;
    // The listing's sheet settings, with the range fields' texts.
    virtual ReportSheetOptions sheetOptions(const QString& begin, const QString& end) const = 0;

    // Where a listing adds controls of its own, below the range.
    QVBoxLayout* choices() const { return choices_; }
    StringGrid* grid() const { return StringGrid1; }
    const Texts& texts() const { return texts_; }

    void finishCreation();

private:
    Texts texts_;
    QVBoxLayout* choices_ = nullptr;
    QLabel* Label3 = nullptr;
    DateMaskEdit* edtBeg_date = nullptr;
    DateMaskEdit* edtEnd_date = nullptr;
    QPushButton* btnSelect = nullptr;
    QPushButton* btnExit = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};
