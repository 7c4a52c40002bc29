#pragma once

#include <QLineEdit>

// A masked entry of digits, a date or a month, that keeps what the clerk
// types. Coming into it by Tab, Enter, a click or the program selects what
// it holds, so that typing replaces it; an empty one puts the cursor on its
// first digit instead. Once in the field, a click into a filled entry places
// the cursor where clicked, to mend one digit. Back from another window or a
// menu, it is as it was left.
class MaskedEntry : public QLineEdit {
    Q_OBJECT
protected:
    // mask: a QLineEdit input mask whose blank character is '_'.
    MaskedEntry(const QString& mask, QWidget* parent);

    // Nothing typed yet.
    virtual bool isBlank() const = 0;
    // The characters on show, blanks as spaces.
    QString shownText() const;
    // Shows text whose blanks are spaces.
    void setShownText(const QString& text);

    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void readyForTyping();

    // The focus came with the click now under way.
    bool focusedByClick_ = false;
    // The focus went to another window or a menu and will come back here.
    bool leftForAWhile_ = false;
};
