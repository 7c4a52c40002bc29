#pragma once

#include "ui/MaskedEntry.h"

// A month entry mm/yyyy, the month's digits optional, that keeps what is
// typed as the date entries do; a month typed short ("1/2570") is shown and
// read zero-padded.
class MonthMaskEdit final : public MaskedEntry {
    Q_OBJECT
public:
    explicit MonthMaskEdit(QWidget* parent = nullptr);

    // "01/2570" for "1/2570" or " 1/2570"; blanks as spaces otherwise.
    QString monthText() const;

protected:
    bool isBlank() const override;
};
