#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QStringList>

// Stands in for the message boxes: records every text shown and answers each
// confirmation from a script. A confirmation is answered by the next scripted
// answer, or OK when its text was declared expected; any other confirmation
// fails the running test (and is answered Cancel, so nothing is written).
// A file question is answered by the next scripted file name; one that is not
// scripted fails the test and is answered as cancelled.
class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Message, Warning, Confirm, Error, SaveFileName, OpenFileName };
    struct Shown {
        Kind kind;
        QString text;
    };

    void showMessage(QWidget* parent, const QString& text) override;
    void showWarning(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    // Recorded with the caption as its text; the name offered is kept apart.
    QString askSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                            const QString& filter) override;
    // Recorded with the caption as its text, answered from the same script.
    QString askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;

    // The next confirmation is answered with this (true = OK, false = Cancel).
    void answerNext(bool ok) { answers_.append(ok); }
    // Confirmations with this text are expected and answered OK.
    void expectConfirmation(const QString& text) { expected_.append(text); }
    // The next file question is answered with this path; empty = cancelled.
    void answerNextFileName(const QString& path) { fileAnswers_.append(path); }

    const QList<Shown>& shown() const { return shown_; }
    QStringList texts() const;            // every text, in order
    QStringList messages() const;         // plain message boxes only
    QStringList warnings() const;         // message boxes with the warning icon
    QStringList errors() const;           // error boxes only
    QStringList confirmations() const;
    QStringList fileQuestions() const;    // the captions of the file questions, to save or open
    QStringList suggestedFileNames() const { return suggestedFileNames_; }
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear()
    {
        shown_.clear();
        answers_.clear();
        fileAnswers_.clear();
        suggestedFileNames_.clear();
    }

private:
    QStringList textsOf(Kind kind) const;

    QList<Shown> shown_;
    QList<bool> answers_;
    QStringList fileAnswers_;
    QStringList suggestedFileNames_;
    QStringList expected_;
};
