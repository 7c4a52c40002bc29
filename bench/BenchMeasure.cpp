#include "BenchMeasure.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <ctime>
#include <stdexcept>

#include <malloc.h>
#include <unistd.h>

#ifndef COSTDESK_SOURCE_DIR
#define COSTDESK_SOURCE_DIR "."
#endif

// ---- memory ---------------------------------------------------------------
//
// Every heap allocation of the process, Qt's and the drivers' included, passes
// through these wrappers, which keep the bytes in use (as malloc_usable_size
// counts them, so allocator rounding is included) and their peak. A step's
// memory is the peak during the step minus the bytes in use at its start:
// exact, transient copies included. The resident set was tried first and
// misleads here: a step reuses free heap fragments that stay resident (and
// that malloc_trim cannot return), so it showed a few hundred KiB for a grid
// holding megabytes.

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* block);
}

namespace heap {

std::atomic<qint64> inUse{0};
std::atomic<qint64> peak{0};

void added(void* block)
{
    if (!block)
        return;
    const qint64 now = inUse.fetch_add(qint64(malloc_usable_size(block)), std::memory_order_relaxed)
                       + qint64(malloc_usable_size(block));
    qint64 seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
}

void removed(void* block)
{
    if (block)
        inUse.fetch_sub(qint64(malloc_usable_size(block)), std::memory_order_relaxed);
}

// Starts a step: the peak becomes the bytes in use now, which are returned.
qint64 startStep()
{
    const qint64 now = inUse.load(std::memory_order_relaxed);
    peak.store(now, std::memory_order_relaxed);
    return now;
}

} // namespace heap



extern "C" {

void* malloc(size_t size)
{
    void* block = __libc_malloc(size);
    heap::added(block);
    return block;
}

void* calloc(size_t count, size_t size)
{
    void* block = __libc_calloc(count, size);
    heap::added(block);
    return block;
}

void* realloc(void* block, size_t size)
{
    const qint64 old = block ? qint64(malloc_usable_size(block)) : 0;
    void* moved = __libc_realloc(block, size);
    if (moved || size == 0)
        heap::inUse.fetch_sub(old, std::memory_order_relaxed);
    heap::added(moved);
    return moved;
}

void free(void* block)
{
    heap::removed(block);
    __libc_free(block);
}

void* memalign(size_t alignment, size_t size)
{
    void* block = __libc_memalign(alignment, size);
    heap::added(block);
    return block;
}

void* aligned_alloc(size_t alignment, size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** result, size_t alignment, size_t size)
{
    void* block = memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *result = block;
    return 0;
}

void* valloc(size_t size)
{
    return memalign(size_t(sysconf(_SC_PAGESIZE)), size);
}

} // extern "C"


// ---- measuring ------------------------------------------------------------

// This process's CPU time: unlike the clock it does not count the time other
// programs of a busy machine take the cores away. The database server's work
// is not in it, so it is shown beside the elapsed time, not instead of it.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// prepare() runs untimed but inside the memory window (it builds the input);
// work() is timed; cleanup() is neither.
Sample sampleOnce(const std::function<void()>& prepare, const std::function<void()>& work,
                  const std::function<void()>& cleanup)
{
    // Each step starts from a tidied heap, so that neither side pays for
    // merging the chunks the other freed.
    malloc_trim(0);
    const qint64 before = heap::startStep();
    if (prepare)
        prepare();
    const double cpuStart = cpuMs();
    QElapsedTimer timer;
    timer.start();
    work();
    const double ms = timer.nsecsElapsed() / 1e6;
    const double cpu = cpuMs() - cpuStart;
    const qint64 peak = heap::peak.load(std::memory_order_relaxed);
    if (cleanup)
        cleanup();
    return {ms, cpu, (peak - before) / (1024.0 * 1024.0)};
}

// Figure and floor alternate run by run, so that the load of a shared
// machine hits both alike.
std::pair<Figure, Figure> measurePair(int runs, const std::function<Sample()>& figure,
                                      const std::function<Sample()>& floor)
{
    figure();  // warm caches, the driver and the server once
    floor();
    QList<Sample> figures, floors;
    for (int r = 0; r < runs; ++r) {
        // Which side goes first alternates as well.
        if (r % 2 == 0) {
            floors << floor();
            figures << figure();
        } else {
            figures << figure();
            floors << floor();
        }
    }
    const auto summary = [](const QList<Sample>& samples) {
        const auto stat = [&](double Sample::*field, double& best, double& med) {
            QList<double> v;
            for (const Sample& s : samples)
                v << s.*field;
            best = *std::min_element(v.begin(), v.end());
            med = median(v);
        };
        Figure f;
        stat(&Sample::ms, f.bestMs, f.medianMs);
        stat(&Sample::cpuMs, f.bestCpuMs, f.medianCpuMs);
        stat(&Sample::mib, f.bestMiB, f.medianMiB);
        return f;
    };
    return {summary(figures), summary(floors)};
}


OwnServer::~OwnServer()
{
    if (!folder.isEmpty())
        QProcess::execute(QStringLiteral(COSTDESK_SOURCE_DIR "/scripts/pg-test-server.sh"),
                          {QStringLiteral("stop"), folder});
}

QString startServer(OwnServer& server)
{
    QProcess start;
    start.start(QStringLiteral(COSTDESK_SOURCE_DIR "/scripts/pg-test-server.sh"), {QStringLiteral("start")});
    if (!start.waitForFinished(120000) || start.exitCode() != 0)
        throw std::runtime_error("could not start a PostgreSQL server: "
                                 + start.readAllStandardError().toStdString());
    const QStringList lines = QString::fromUtf8(start.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() < 2)
        throw std::runtime_error("pg-test-server.sh printed no URL");
    server.folder = lines.at(0).trimmed();
    server.url = lines.at(1).trimmed();
    return server.url;
}

