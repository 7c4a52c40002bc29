#pragma once

#include "ui/WorkingWindow.h"

// The administrator's list of user accounts and, for a range of account
// numbers, one letter per account with its user name and password.
class TfrmPrint_User : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmPrint_User(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnShow_dataClick();
    void btnPrint_PreviewClick();
    void btnExitClick();

private:
    void buildPanel();

    QFrame* Panel1 = nullptr;
    QLineEdit* edtU_ID1 = nullptr;
    QLineEdit* edtU_ID2 = nullptr;
    QPushButton* btnShow_data = nullptr;
    QPushButton* btnPrint_Preview = nullptr;
    QPushButton* btnExit = nullptr;
    StringGrid* StringGrid1 = nullptr;
};
