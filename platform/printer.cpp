#include "platform/printer.h"

#include <QEventLoop>
#include <QPaintEngine>
#include <QPrinterInfo>
#include <QThread>
#include <QTimer>

#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>

#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
#include <cups/cups.h>
#endif

namespace platform {

struct PrinterRedirect::Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;

    void wait() {
        std::unique_lock lock(mutex);
        opened.wait(lock, [this] { return open; });
    }
    void release() {
        {
            const std::lock_guard lock(mutex);
            open = true;
        }
        opened.notify_all();
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
    // A job that is still waiting for an answer gets it now, and ends.
    if (silence_) {
        silence_->release();
    }
    current_ = previous_;
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

// Whether the print system took the job that was just ended on this thread.
// Qt hands the finished job to CUPS and drops its answer, so a printer that
// refuses jobs would lose the print without a word; CUPS keeps the answer
// for the thread that asked.
bool lastJobTaken() {
#if defined(OFFSET_HAVE_CUPS) && QT_CONFIG(cups)
    return cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
#else
    return true;
#endif
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
        steering.silence->wait();
        return PrintStatus::NoAnswer;
    }
    if (steering.outOfMemory) {
        throw std::bad_alloc();
    }
    // Without one, QPrinter quietly turns into a PDF writer with no file.
    if (steering.pdfPath.isEmpty() && QPrinterInfo::defaultPrinter().isNull()) {
        return PrintStatus::NoPrinter;
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
    const std::lock_guard lock(exchange->mutex);
    exchange->status = status;
    exchange->wakeCaller();
}

} // namespace

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

    const auto exchange = std::make_shared<Exchange>();
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    exchange->waiter = &loop;
    // A QThread, not a std::thread: Qt sets up its own per-thread data with
    // the thread, instead of adopting a foreign thread on first use, which
    // leaves that data half made when memory runs out then. From here on the
    // drawing is the job's alone.
    QThread* thread = QThread::create(printThread, exchange, steering, std::move(drawing));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    if (!thread->isRunning() && !thread->isFinished()) {
        delete thread; // it could not be started
        return PrintStatus::Failed;
    }
    deadline.start(limit);

    for (;;) {
        {
            const std::lock_guard lock(exchange->mutex);
            if (exchange->status) {
                exchange->waiter = nullptr;
                return *exchange->status;
            }
        }
        // The timer fires only inside the loop, which it ends. The loop ends
        // when the print thread reports or the time is up, at once when the
        // application is quitting.
        if (!deadline.isActive() || loop.exec(QEventLoop::ExcludeUserInputEvents) != 0) {
            // From here on, what the print thread reports goes nowhere.
            const std::lock_guard lock(exchange->mutex);
            exchange->waiter = nullptr;
            return PrintStatus::NoAnswer;
        }
    }
}

} // namespace platform
