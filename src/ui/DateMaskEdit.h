#pragma once

#include "ui/MaskedEntry.h"

// A date entry dd/mm/yyyy with optional day and month digits and four required
// year digits. maskedText() is the 10-character form the rest of the program
// stores: blanks as spaces, slashes kept, so an untouched field reads
// "  /  /    ". Day and month typed short ("1/2/2569") are right-aligned
// behind blanks, and a real calendar date comes out zero-padded
// ("01/02/2569"), so that its sort form sorts.
class DateMaskEdit : public MaskedEntry {
    Q_OBJECT
public:
    explicit DateMaskEdit(QWidget* parent = nullptr);

    QString maskedText() const;
    void setMaskedText(const QString& text);
    void clearDate() { setMaskedText(QString()); }

    // True when something was typed but a year digit is still missing: the
    // focus then stays in the field.
    bool yearIncomplete() const;

protected:
    bool isBlank() const override;
    // Leaving for another control of the window waits for the four year
    // digits.
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The characters on show, blanks as spaces, before any alignment.
    QString rawText() const;
};
