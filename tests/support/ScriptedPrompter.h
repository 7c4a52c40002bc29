#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QStringList>

// Stands in for the message boxes: records every text shown and answers each
// confirmation from a script (OK unless told otherwise).
class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Message, Confirm, Error };
    struct Shown {
        Kind kind;
        QString text;
    };

    void showMessage(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;

    // The next confirmation is answered with this (true = OK, false = Cancel).
    void answerNext(bool ok) { answers_.append(ok); }

    const QList<Shown>& shown() const { return shown_; }
    QStringList texts() const;            // every text, in order
    QStringList messages() const;         // plain message boxes only
    QStringList errors() const;           // error boxes only
    QStringList confirmations() const;
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear() { shown_.clear(); answers_.clear(); }

private:
    QStringList textsOf(Kind kind) const;

    QList<Shown> shown_;
    QList<bool> answers_;
};
