#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// splitmix64: the same sequence on every compiler and platform, unlike the
// standard library's distributions, so demonstration and benchmark data are
// the same on every run.
class SplitMix {
public:
    explicit SplitMix(quint64 seed) : state_(seed) {}
    quint64 next()
    {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n - 1
    int below(int n) { return int(next() % quint64(n)); }
    // low .. high
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return between(0, 99) < p; }
    const QString& pick(const QStringList& list) { return list.at(below(int(list.size()))); }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + below(10));
        return s;
    }

private:
    quint64 state_;
};
