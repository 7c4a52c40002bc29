#pragma once

#include "data/UserTable.h"
#include "ui/WorkingWindow.h"

// The administrator's accounts: every account with its rights level and
// whether it may sign in; adding one, changing its level, giving it a new
// password (printed on its letter) and disabling or enabling it. A password
// is typed twice and never shown.
class TfrmUser_Accounts : public WorkingWindow {
    Q_OBJECT
public:
    explicit TfrmUser_Accounts(WorkContext& context, QWidget* parent = nullptr);

    void FormCreate();
    void btnAdd_UserClick();
    void btnSaveClick();
    void btnSet_LevelClick();
    void btnSave_LevelClick();
    void btnReset_PasswordClick();
    void btnSave_PasswordClick();
    void btnDisable_UserClick();
    void btnEnable_UserClick();
    // Every entry panel's cancel button: back to the list, nothing saved.
    void btnCancelClick();
    void btnExitClick();

private:
    void buildListPanel();
    void buildAddPanel();
    void buildLevelPanel();
    void buildPasswordPanel();
    QComboBox* newLevelCombo(QWidget* parent, const QString& name);

    // Lists every account again, keeping the row of this user name selected.
    void showAccounts(const QString& selectUserName);
    // The selected row's account as stored now; empty after saying why not.
    std::optional<UserAccount> selectedAccount();
    // The refusal of the new account's typed values; empty when they will do.
    QString addRefusal() const;
    void clearPasswords();

    QFrame* Panel1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QPushButton* btnAdd_User = nullptr;
    QPushButton* btnSet_Level = nullptr;
    QPushButton* btnReset_Password = nullptr;
    QPushButton* btnDisable_User = nullptr;
    QPushButton* btnEnable_User = nullptr;
    QPushButton* btnExit = nullptr;

    QFrame* Panel2 = nullptr;
    QLineEdit* edtU_ID = nullptr;
    QLineEdit* edtUsername = nullptr;
    QComboBox* cmbSection = nullptr;
    QComboBox* cmbU_Surname = nullptr;
    QLineEdit* edtU_F_Name = nullptr;
    QLineEdit* edtU_L_Name = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtPassword2 = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnCancel = nullptr;

    QFrame* Panel3 = nullptr;
    QLabel* lblLevel_Account = nullptr;
    QComboBox* cmbNew_Section = nullptr;
    QPushButton* btnSave_Level = nullptr;
    QPushButton* btnCancel_Level = nullptr;

    QFrame* Panel4 = nullptr;
    QLabel* lblPassword_Account = nullptr;
    QLineEdit* edtNew_Password = nullptr;
    QLineEdit* edtNew_Password2 = nullptr;
    QPushButton* btnSave_Password = nullptr;
    QPushButton* btnCancel_Password = nullptr;

    // The account the level or the password panel is open for.
    QString editedUserName_;
};
