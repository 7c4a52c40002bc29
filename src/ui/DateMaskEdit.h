#pragma once

#include <QLineEdit>

// A date entry dd/mm/yyyy with optional day and month digits and four required
// year digits. maskedText() is the 10-character form the rest of the program
// stores: blanks as spaces, slashes kept, so an untouched field reads
// "  /  /    ".
class DateMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateMaskEdit(QWidget* parent = nullptr);

    QString maskedText() const;
    void setMaskedText(const QString& text);
    void clearDate() { setMaskedText(QString()); }
};
