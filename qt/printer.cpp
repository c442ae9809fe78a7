#include "qt/printer.h"

#include "qt/unsentjob.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPaintEngine>
#include <QPrinterInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>

#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
#include <cups/cups.h>
#include <dlfcn.h>
#endif
#if defined(Q_OS_UNIX)
#include <sys/mman.h>
#endif

namespace qtface {

// Where a silent print system keeps its jobs waiting. A job enters before
// its thread starts and leaves once it has reported, so that whoever opens
// the gate can wait until every job it held has ended.
struct PrinterRedirect::Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    int held = 0;

    void enter() {
        const std::lock_guard lock(mutex);
        ++held;
    }
    void waitUntilOpen() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return open; });
    }
    void leave() {
        {
            const std::lock_guard lock(mutex);
            --held;
        }
        changed.notify_all();
    }
    void openAndWaitUntilEmpty() {
        std::unique_lock lock(mutex);
        open = true;
        changed.notify_all();
        changed.wait(lock, [this] { return held == 0; });
    }
    int count() {
        const std::lock_guard lock(mutex);
        return held;
    }
};

PrinterRedirect* PrinterRedirect::current_ = nullptr;

PrinterRedirect::PrinterRedirect(const QString& pdfPath) : pdfPath_(pdfPath), previous_(current_) {
    current_ = this;
}

PrinterRedirect::PrinterRedirect(PrintStatus failure) : failure_(failure), previous_(current_) {
    Q_ASSERT(failure != PrintStatus::Printed);
    if (failure == PrintStatus::NoAnswer) {
        silence_ = std::make_shared<Gate>();
    }
    current_ = this;
}

PrinterRedirect::PrinterRedirect(OutOfMemory) : outOfMemory_(true), previous_(current_) {
    current_ = this;
}

PrinterRedirect::~PrinterRedirect() {
    // A job that is still waiting for an answer gets it now, and ends before
    // the next test prints.
    if (silence_) {
        silence_->openAndWaitUntilEmpty();
    }
    current_ = previous_;
}

int PrinterRedirect::jobsKeptWaiting() const {
    return silence_ ? silence_->count() : 0;
}

namespace {

std::unique_ptr<QPrinter> printerFor(const QString& pdfPath) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setResolution(printResolution);
    if (!pdfPath.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfPath);
    }
    return printer;
}

#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
// CUPS as Qt's print plugin loaded it, or nothing while it is not loaded.
// Linked into the program, CUPS and the twenty libraries it needs would
// load at every start, print or not.
void* loadedCups() {
    return dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
}
#endif

// Whether the print system took the job that was just ended on this thread.
// Qt hands the finished job to CUPS and drops its answer, so a printer that
// refuses jobs would lose the print without a word; CUPS keeps the answer
// for the thread that asked.
bool lastJobTaken() {
#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
    void* cups = loadedCups();
    if (cups == nullptr) {
        return false; // no job went through CUPS
    }
    using LastError = ipp_status_t (*)();
    const auto lastError = reinterpret_cast<LastError>(dlsym(cups, "cupsLastError"));
    const bool taken = lastError != nullptr && lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    dlclose(cups);
    return taken;
#else
    return true;
#endif
}

// Whether a default printer that could not be found is really missing. Qt
// reaches CUPS through a plugin that it loads on first use, and when memory
// runs short while it loads, Qt finds no printer at all: that is a failed
// print, not a missing printer.
bool printSystemReached() {
#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
    void* cups = loadedCups();
    if (cups == nullptr) {
        return false;
    }
    dlclose(cups);
#endif
    return true;
}

// What a job takes along from the redirect in place when it began.
struct Steering {
    QString pdfPath;
    bool outOfMemory = false;
    std::shared_ptr<PrinterRedirect::Gate> silence;
};

// Between the caller and the print thread; each holds a share, so the
// print thread can outlive the call.
struct Exchange {
    std::mutex mutex;
    QEventLoop* waiter = nullptr; // while the caller waits in it
    std::optional<PrintStatus> status;

    // With the mutex held.
    void wakeCaller() {
        if (waiter != nullptr) {
            QMetaObject::invokeMethod(
                waiter, [loop = waiter] { loop->quit(); }, Qt::QueuedConnection);
        }
    }
};

PrintStatus runJob(const PageDrawing& drawing, const Steering& steering) {
    if (steering.silence) {
        steering.silence->waitUntilOpen();
        return PrintStatus::NoAnswer;
    }
    if (steering.outOfMemory) {
        throw std::bad_alloc();
    }
    // Without one, QPrinter quietly turns into a PDF writer with no file.
    if (steering.pdfPath.isEmpty() && QPrinterInfo::defaultPrinter().isNull()) {
        return printSystemReached() ? PrintStatus::NoPrinter : PrintStatus::Failed;
    }
    const std::unique_ptr<QPrinter> printer = printerFor(steering.pdfPath);
    QPainter painter;
    if (!painter.begin(printer.get())) {
        return PrintStatus::Failed;
    }
    bool drawn = false;
    try {
        drawn = drawing(*printer, painter);
    } catch (...) {
        // The painter is ended below all the same, not by its destructor
        // while this unwinds.
    }
    // Ending the painter hands the job to the print system.
    const bool ended = endPainting(painter);
    if (!ended && steering.pdfPath.isEmpty()) {
        discardUnsentJobFiles();
    }
    if (!drawn || !ended || printer->printerState() == QPrinter::Error ||
        printer->printerState() == QPrinter::Aborted) {
        return PrintStatus::Failed;
    }
    if (steering.pdfPath.isEmpty() && !lastJobTaken()) {
        return PrintStatus::Failed;
    }
    return PrintStatus::Printed;
}

// Takes the drawing by value, so that what it holds is let go of here, on
// the print thread, as soon as the job is over.
void printThread(const std::shared_ptr<Exchange>& exchange, const Steering& steering,
                 PageDrawing drawing) {
    PrintStatus status = PrintStatus::Failed;
    try {
        status = runJob(drawing, steering);
    } catch (...) {
        // Memory ran out, or the like: the job is lost, the program goes on.
        status = PrintStatus::Failed;
    }
    drawing = nullptr;
    {
        const std::lock_guard lock(exchange->mutex);
        exchange->status = status;
        exchange->wakeCaller();
    }
    if (steering.silence) {
        steering.silence->leave();
    }
}

// The last job handed to a print thread. Read and replaced on the GUI
// thread only; its status, under its mutex, tells whether it has ended.
std::shared_ptr<Exchange>& lastJob() {
    static std::shared_ptr<Exchange> job;
    return job;
}

bool stillWaiting(const std::shared_ptr<Exchange>& job) {
    if (!job) {
        return false;
    }
    const std::lock_guard lock(job->mutex);
    return !job->status.has_value();
}

// The property that marks a control let through while a print waits.
constexpr char letThroughProperty[] = "platform.letThroughWhilePrinting";

// Holds back user input to every widget for as long as it lives, except to
// a control let through and to its children. Requests to close a window
// are no user input here: they pass.
class InputHold : public QObject {
public:
    InputHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputHold() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A shortcut reaches its control without passing as input there.
        if (!event->isInputEvent() && event->type() != QEvent::Shortcut) {
            return false;
        }
        // Input passes through the window of a widget before the widget
        // gets it; it is held back at the widget.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        for (; widget != nullptr; widget = widget->parentWidget()) {
            if (widget->property(letThroughProperty).toBool()) {
                return false;
            }
        }
        return watched->isWidgetType();
    }
};

// The caller's side of one wait. Whatever ends the wait, even memory running
// out, the print thread finds nobody to wake from then on.
class Waiting {
public:
    Waiting(std::shared_ptr<Exchange> exchange, QEventLoop& loop) : exchange_(std::move(exchange)) {
        const std::lock_guard lock(exchange_->mutex);
        exchange_->waiter = &loop;
    }
    ~Waiting() {
        const std::lock_guard lock(exchange_->mutex);
        exchange_->waiter = nullptr;
    }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;

    std::optional<PrintStatus> status() const {
        const std::lock_guard lock(exchange_->mutex);
        return exchange_->status;
    }

private:
    std::shared_ptr<Exchange> exchange_;
};

} // namespace

bool addressSpaceFree(qsizetype bytes) {
#if defined(Q_OS_UNIX)
    // A mapping that can hold nothing costs no memory, only address space,
    // and is refused exactly when the address space would run out.
    void* trial =
        mmap(nullptr, size_t(bytes), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (trial == MAP_FAILED) {
        return false;
    }
    munmap(trial, size_t(bytes));
#else
    Q_UNUSED(bytes);
#endif
    return true;
}

void letThroughWhilePrinting(QWidget* control) {
    control->setProperty(letThroughProperty, true);
}

std::unique_ptr<QPrinter> newPrinter() {
    const PrinterRedirect* redirect = PrinterRedirect::current_;
    return printerFor(redirect != nullptr ? redirect->pdfPath_ : QString());
}

bool endPainting(QPainter& painter) noexcept {
    try {
        return painter.end();
    } catch (...) {
    }
    // Its engine stopped half way: marked inactive, it is let go of without
    // being ended again, and the painter only drops its own state.
    if (QPaintEngine* engine = painter.paintEngine()) {
        engine->setActive(false);
    }
    try {
        painter.end();
    } catch (...) {
    }
    return false;
}

PrintStatus print(PageDrawing drawing) {
    Steering steering;
    std::chrono::milliseconds limit = printAnswerLimit;
    if (PrinterRedirect* redirect = PrinterRedirect::current_) {
        ++redirect->jobsBegun_;
        if (redirect->failure_ == PrintStatus::NoPrinter ||
            redirect->failure_ == PrintStatus::Failed) {
            return redirect->failure_;
        }
        steering = {redirect->pdfPath_, redirect->outOfMemory_, redirect->silence_};
        limit = redirect->answerLimit_;
    }
    if (stillWaiting(lastJob())) {
        return PrintStatus::NoAnswer;
    }
    if (!addressSpaceFree(printJobAddressSpace)) {
        return PrintStatus::Failed;
    }

    const auto exchange = std::make_shared<Exchange>();
    QEventLoop loop;
    bool timedOut = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&timedOut, &loop] {
        timedOut = true;
        loop.quit();
    });
    const Waiting waiting(exchange, loop);
    // A QThread, not a std::thread: Qt sets up its own per-thread data with
    // the thread, instead of adopting a foreign thread on first use, which
    // leaves that data half made when memory runs out then. From here on the
    // drawing is the job's alone.
    QThread* thread = QThread::create(printThread, exchange, steering, std::move(drawing));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (steering.silence) {
        steering.silence->enter();
    }
    thread->start();
    if (!thread->isRunning() && !thread->isFinished()) {
        delete thread; // it could not be started
        if (steering.silence) {
            steering.silence->leave();
        }
        return PrintStatus::Failed;
    }
    lastJob() = exchange;
    deadline.start(limit);

    // The job's report quits the loop even when it came before the loop ran.
    const InputHold hold;
    loop.exec();
    if (const std::optional<PrintStatus> status = waiting.status()) {
        return *status;
    }
    // When neither the job nor the deadline ended the loop, the application
    // is ending, and with it every loop on this thread.
    return timedOut ? PrintStatus::NoAnswer : PrintStatus::Abandoned;
}

} // namespace qtface
