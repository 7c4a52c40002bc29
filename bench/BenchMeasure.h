#pragma once

// What the benchmarks share: the heap in use and its peak (every allocation
// of the process passes through wrappers linked with this file), timing of a
// step, figure and floor measured in turn, and a throwaway PostgreSQL server.

#include <QList>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <utility>

namespace heap {
extern std::atomic<qint64> peak;
// The bytes in use now, made the new peak: a step's memory is the peak during
// it minus this.
qint64 startStep();
} // namespace heap

struct Sample {
    double ms = 0;
    double cpuMs = 0;
    double mib = 0;
};

struct Figure {
    double bestMs = 0, medianMs = 0;
    double bestCpuMs = 0, medianCpuMs = 0;
    double bestMiB = 0, medianMiB = 0;
};

// This process's CPU time.
double cpuMs();
double median(QList<double> v);

// prepare() runs untimed but inside the memory window (it builds the input);
// work() is timed; cleanup() is neither.
Sample sampleOnce(const std::function<void()>& prepare, const std::function<void()>& work,
                  const std::function<void()>& cleanup);

// Figure and floor alternate run by run, and which goes first alternates too,
// so that the load of a shared machine hits both alike.
std::pair<Figure, Figure> measurePair(int runs, const std::function<Sample()>& figure,
                                      const std::function<Sample()>& floor);

// A throwaway PostgreSQL server of the benchmark's own, stopped when this
// goes out of scope.
struct OwnServer {
    QString folder;
    QString url;
    ~OwnServer();
};
// Starts it with the project's test script; returns its URL. Throws
// std::runtime_error when no server can be started.
QString startServer(OwnServer& server);
