#pragma once

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <vector>

// Texts that recur among many values read in bulk (a bank code, a shop code,
// a payer's name): each value is made into a text once and shared by every
// place holding it, so tens of thousands of records make few texts of them.
// The value before is looked at first, then the values remembered; these are
// bounded, and past that a value is made as it comes. Equal values give equal
// texts either way.
class TextPool {
public:
    QString operator()(QStringView value)
    {
        if (!last_.isNull() && value == last_)
            return last_;
        if (value.isNull())
            return {};
        if (slots_.empty())
            slots_.resize(kSlots); // only once a second value comes
        size_t at = qHash(value) & (kSlots - 1);
        for (int probe = 0; probe < kProbes; ++probe, at = (at + 1) & (kSlots - 1)) {
            QString& slot = slots_[at];
            if (slot.isNull()) {
                if (2 * used_ >= kSlots)
                    break;
                slot = value.toString();
                ++used_;
                return last_ = slot;
            }
            if (slot == value)
                return last_ = slot;
        }
        return last_ = value.toString();
    }

private:
    static constexpr size_t kSlots = 4096; // a power of two
    static constexpr int kProbes = 8;
    std::vector<QString> slots_;
    size_t used_ = 0;
    QString last_;
};
