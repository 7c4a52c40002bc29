#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database layer arrives as this one type. It carries the
// engine's own text, which the standard error box shows to the user.
// What an INSERT or UPDATE that a unique key may refuse came to: the one way
// every table reports a duplicate key.
enum class WriteResult { Written, DuplicateKey };

class DbError : public std::runtime_error {
public:
    // InvalidText: a value the program refuses to send (the user's typing
    // holds a control character); nothing was sent to the database.
    // ConnectionLost: the connection to the server broke; when the text is
    // Database::kReconnectedMessage it has been made anew and the action
    // can be repeated.
    enum class Kind { General, UniqueViolation, Busy, InvalidText, ConnectionLost };

    explicit DbError(const QString& text, Kind kind = Kind::General)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}

    const QString& text() const { return text_; }
    Kind kind() const { return kind_; }
    bool isUniqueViolation() const { return kind_ == Kind::UniqueViolation; }

private:
    QString text_;
    Kind kind_;
};
