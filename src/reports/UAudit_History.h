#pragma once

#include "billing/ListingDescription.h"
#include "ui/WorkingWindow.h"

#include <memory>

// The administrator's window over the audit trail: who changed which record,
// when and how, chosen by a range of days, a user, a table and a record's
// key; the rows listed exported to a spreadsheet as the other listings are.
class TfrmAudit_History : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmAudit_History(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnShowClick();
    void btnExportClick();
    void btnExitClick();

private:
    void buildPanel();
    // The fields' values as they read now: the dates always, the user and
    // the key when typed, the table when one is chosen.
    ListingValues values() const;
    // Whether both dates are real days; if not, says so and puts the cursor
    // there.
    bool datesAreValid();

    const ListingDescription& listing_;
    // The rows the grid shows; none before the first display. The export
    // writes these, not the grid's texts.
    std::shared_ptr<const ListingRows> listed_;
    QFrame* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    DateMaskEdit* edtBeg_date = nullptr;
    DateMaskEdit* edtEnd_date = nullptr;
    QLineEdit* edtUser = nullptr;
    QComboBox* cmbTable = nullptr;
    QLineEdit* edtRow_Key = nullptr;
    QPushButton* btnShow = nullptr;
    QPushButton* btnExit = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnExport = nullptr;
};
