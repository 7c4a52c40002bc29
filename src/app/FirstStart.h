#pragma once

#include "data/ConnectionSettings.h"
#include "data/UserTable.h"

#include <QDialog>
#include <array>
#include <memory>

class Database;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// Shown when start-up finds no database to use: no settings at all and no
// embedded file yet, or a settings file that names no usable database. The
// user creates the embedded database here, gives a shared server's URL, or
// leaves. Every message goes through the Prompter.
class FirstStartDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        ConnectionSettings embedded;   // where the embedded database is, or is to be made
        QString settingsFile;          // where the chosen database line is written
        QString problem;               // why the settings file names no database; empty on a first start
    };

    FirstStartDialog(Prompter& prompter, Setup setup, QWidget* parent = nullptr);
    ~FirstStartDialog() override;

    // The database chosen, open; null when the user left.
    std::unique_ptr<Database> takeDatabase();

    void btnCreateEmbeddedClick();
    void btnUseServerClick();
    void btnConnectClick();
    void btnBackClick();
    void btnLeaveClick();

private:
    void build();
    void showPage(int page);
    // Writes the database line; says so and returns false when it cannot.
    bool writeSettings(const QString& url);

    Prompter& prompter_;
    Setup setup_;
    std::unique_ptr<Database> db_;

    QStackedWidget* pages_ = nullptr;
    QPushButton* btnCreateEmbedded = nullptr;
    QPushButton* btnUseServer = nullptr;
    QLineEdit* edtServerUrl = nullptr;
    QPushButton* btnConnect = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnLeave = nullptr;
};

// Asks for the first administrator of a database that holds no account, adds
// it with rights level 9, and hands it back to sign in with.
class FirstAdministratorDialog : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Left, Created, AccountsExist };

    FirstAdministratorDialog(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    Outcome outcome() const { return outcome_; }
    // The account added, password included.
    const UserAccount& administrator() const { return administrator_; }

    void btnSaveAdminClick();
    void btnLeaveClick();

    // The account's fields, in the order they are shown and checked.
    enum Field { Id, UserName, Password, Password2, Title, FirstName, LastName, FieldCount };

private:
    void build();
    // What the field holds as the account takes it: trimmed, but a password
    // as typed.
    QString typed(Field field) const;
    // The first refusal of what is typed, with the field to correct; empty
    // when the account can be added.
    QString refusal(QLineEdit** field) const;

    Database& db_;
    Prompter& prompter_;
    Outcome outcome_ = Outcome::Left;
    UserAccount administrator_;

    std::array<QLineEdit*, FieldCount> fields_{};
    QPushButton* btnSaveAdmin = nullptr;
    QPushButton* btnLeave = nullptr;
};

// Adds the first account of a database in one transaction: refused with the
// user's message when the user name or the ID is taken, or when another
// workstation has added an account meanwhile (then outcome AccountsExist).
struct FirstAdministrator {
    enum class Result { Added, UserNameTaken, IdTaken, AccountsExist };
    static Result add(Database& db, const UserAccount& account);
};
