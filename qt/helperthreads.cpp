#include "qt/helperthreads.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cstddef>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#include <pthread.h>
#endif

namespace qtface {

namespace {

// Many times what any of them uses: Qt's own threads, the raster engine's
// helpers, and a print job through CUPS and the PDF engine.
constexpr std::size_t threadStackBytes = std::size_t(1) << 20;
constexpr int maxPaintHelpers = 4;
// A helper that started runs within moments; this only bounds the wait for
// one that did not.
constexpr int helperStartLimitMs = 5000;

} // namespace

void makeThreadsCheap() {
    // AddressSanitizer makes every stack frame larger and keeps its own
    // heap; there the defaults stay.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    // One arena for all threads: the program's threads allocate little, and
    // seldom at the same moment.
    mallopt(M_ARENA_MAX, 1);
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) == 0) {
        // Qt starts its threads with the default size; this changes it.
        pthread_attr_setstacksize(&attributes, threadStackBytes);
        pthread_setattr_default_np(&attributes);
        pthread_attr_destroy(&attributes);
    }
#endif
}

int paintHelperCount() {
    return std::clamp(QThread::idealThreadCount(), 1, maxPaintHelpers);
}

bool startPaintHelpers() {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int helpers = paintHelperCount();
    pool->setMaxThreadCount(helpers);
    // An idle helper is never retired, so it never has to be started again.
    pool->setExpiryTimeout(-1);

    // Each task holds its helper until all have started, so that every one
    // of them is started now, each on a thread of its own. Shared, because a
    // task whose thread could not start stays with the pool, never run.
    struct Meeting {
        QSemaphore arrived;
        QSemaphore leave;
    };
    const auto meeting = std::make_shared<Meeting>();
    for (int i = 0; i < helpers; ++i) {
        pool->start([meeting] {
            meeting->arrived.release();
            meeting->leave.acquire();
        });
    }
    const bool allStarted = meeting->arrived.tryAcquire(helpers, helperStartLimitMs);
    meeting->leave.release(helpers);
    return allStarted;
}

} // namespace qtface
