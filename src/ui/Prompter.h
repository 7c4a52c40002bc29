#pragma once

#include <QString>

class QWidget;

// The single seam through which every message, confirmation and error box is
// shown. The program shows real message boxes; tests answer in its place.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A plain message box with one OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // The standard error box with the database's own text.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // A question answered Yes or No; true for Yes. Where no Yes/No box is at
    // hand it is asked as a confirmation.
    virtual bool askYesNo(QWidget* parent, const QString& text) { return confirm(parent, text); }
};

class MessageBoxPrompter final : public Prompter {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
};
