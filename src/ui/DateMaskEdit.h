#pragma once

#include <QLineEdit>

// A date entry dd/mm/yyyy with optional day and month digits and four required
// year digits. maskedText() is the 10-character form the rest of the program
// stores: blanks as spaces, slashes kept, so an untouched field reads
// "  /  /    ". Day and month typed short ("1/2/2569") are right-aligned
// behind blanks, and a real calendar date comes out zero-padded
// ("01/02/2569"), so that its sort form sorts.
class DateMaskEdit : public QLineEdit {
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
    // Coming into the field by Tab, Enter, a click or the program selects
    // the whole date, so that typing replaces it; an empty field puts the
    // cursor on the first digit instead. Once in the field, a click into a
    // filled date places the cursor where clicked, to mend one digit.
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void readyForTyping();
    bool isBlank() const;

    // The focus came with the click now under way.
    bool focusedByClick_ = false;
    // The focus went to another window or a menu and will come back here.
    bool leftForAWhile_ = false;

    // The characters on show, blanks as spaces, before any alignment.
    QString rawText() const;
};
