#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database layer arrives as this one type. It carries the
// engine's own text, which the standard error box shows to the user.
class DbError : public std::runtime_error {
public:
    // InvalidText: a value the program refuses to send (the user's typing
    // holds a control character); nothing was sent to the database.
    enum class Kind { General, UniqueViolation, Busy, InvalidText };

    explicit DbError(const QString& text, Kind kind = Kind::General)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}

    const QString& text() const { return text_; }
    Kind kind() const { return kind_; }
    bool isUniqueViolation() const { return kind_ == Kind::UniqueViolation; }

private:
    QString text_;
    Kind kind_;
};
