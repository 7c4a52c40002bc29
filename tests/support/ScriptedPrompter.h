#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QStringList>

// Stands in for the message boxes: records every text shown and answers each
// confirmation from a script. A confirmation is answered by the next scripted
// answer, or OK when its text was declared expected; any other confirmation
// fails the running test (and is answered Cancel, so nothing is written).
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
    // Confirmations with this text are expected and answered OK.
    void expectConfirmation(const QString& text) { expected_.append(text); }

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
    QStringList expected_;
};
