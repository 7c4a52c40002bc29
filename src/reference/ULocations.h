#pragma once

#include "ui/WorkingWindow.h"

// The locations the shop register offers: add one under a short code, or
// rename one. Shops keep the location's name, so a rename carries them along.
class TfrmLocations : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmLocations(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnAdd_LocationClick();
    void btnRename_LocationClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnExitClick();

private:
    void buildListPanel();
    void buildEntryPanel();
    // Lists every location again, keeping the row of this name selected.
    void showLocations(const QString& selectName);
    void saveNew(const QString& code, const QString& name);
    void saveRename(const QString& name);

    QFrame* Panel1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnAdd_Location = nullptr;
    QPushButton* btnRename_Location = nullptr;
    QPushButton* btnExit = nullptr;

    QFrame* Panel2 = nullptr;
    QLabel* lblEntry_Title = nullptr;
    QLineEdit* edtPlace_Code = nullptr;
    QLineEdit* edtPlace_Name = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancel = nullptr;

    // The location being renamed, as it was listed; none while adding.
    bool renaming_ = false;
    QString renamedCode_;
    QString renamedName_;
};
