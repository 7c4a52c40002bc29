#pragma once

#include "data/Database.h"
#include "data/UserTable.h"

#include <memory>
#include <optional>

// Signing a person in, for the main window and the commands alike.
//
// On the embedded file the typed name and password are checked against
// T_USER on the connection already open, which goes on serving the person.
// On a server the connection open before sign-in is the gate's, which may
// read only what start-up needs: the person's own connection is opened
// with the typed name and password, and the server checks them. Either way
// the fifth wrong password for a name within 15 minutes locks that name for
// 15 minutes, counted in the database.
namespace SignIn {

struct Outcome {
    UserTable::SignIn::Result result = UserTable::SignIn::Result::WrongPassword;
    std::optional<UserAccount> account;  // when SignedIn; never with its password
    // When SignedIn on a server: the person's own connection, from which all
    // their work runs. Empty on the embedded file.
    std::unique_ptr<Database> connection;
};

Outcome Attempt(Database& gate, const QString& userName, const QString& password);

} // namespace SignIn
