#pragma once

#include <QString>

#include <exception>

class QWidget;

// The single seam through which every message, confirmation, error box and
// file question is shown. The program shows real dialogs; tests answer in its
// place.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A plain message box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The same with the warning icon: what the user gave was refused (a file
    // that cannot be taken), nothing was done, and it is theirs to put right.
    // Where no warning box is at hand it is shown as a plain message.
    virtual void showWarning(QWidget* parent, const QString& text) { showMessage(parent, text); }
    // OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // The standard error box with the database's own text.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // A question answered Yes or No; true for Yes. Where no Yes/No box is at
    // hand it is asked as a confirmation.
    virtual bool askYesNo(QWidget* parent, const QString& text) { return confirm(parent, text); }
    // The name of a file to write, offering suggestedName: a name, or a path
    // whose folder the question opens in; filter as Qt's file dialog takes
    // it ("PDF (*.pdf)"). Empty when the user cancels.
    virtual QString askSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                                    const QString& filter) = 0;
    // The name of an existing file to read, starting in folder; filter as for
    // askSaveFileName. Empty when the user cancels.
    virtual QString askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter) = 0;

    // A failure caught in a handler, shown the one way every window, the main
    // window and the start-up dialogs show it: refused input and a connection
    // made anew in a plain message, since they are the user's to act on; any
    // other database failure with the engine's text in the error box.
    void showFailure(QWidget* parent, const std::exception& failure);
};

class MessageBoxPrompter final : public Prompter {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    void showWarning(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    QString askSaveFileName(QWidget* parent, const QString& caption, const QString& suggestedName,
                            const QString& filter) override;
    QString askOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                            const QString& filter) override;
};
