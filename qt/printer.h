#pragma once

// The default printer, reached without a dialog. Every print goes through
// print(), which knows how to find the printer, how to tell "no printer"
// from a failed job, how long to wait for the print system, and where a
// test has sent the output instead.
//
// The print system may take its time or never answer at all (a print
// server that accepts the connection and stays silent), and Qt waits for it
// without a limit. So the job runs on a thread of its own while the calling
// thread keeps its window painted; after printAnswerLimit without an answer
// the caller gets NoAnswer and the job is left to end by itself. It owns
// everything it works with, so it touches nothing of the caller's when it
// ends late, or never. While it has not ended, no other job starts: a print
// system that keeps one job waiting would keep the next one too, and each
// would hold a thread and its connection until the program ends.

#include <QPainter>
#include <QPrinter>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QWidget;

namespace qtface {

enum class PrintStatus {
    Printed,
    NoPrinter, // no printer installed
    Failed,    // the print system refused or failed the job
    NoAnswer,  // the print system did not answer in time, or still keeps an earlier job waiting
    Abandoned, // the program is ending: the job was left to itself, nothing is to be told
};

// How long a print waits for the print system before it gives up.
inline constexpr std::chrono::milliseconds printAnswerLimit{10000};

// Every job prints at this many dots per inch: it keeps a rendered window
// sharp on paper without page images of hundreds of megabytes at a
// printer's 1200 dpi. Fixed, so that a job's pages can be made before any
// printer is asked for anything.
inline constexpr int printResolution = 300;

// The address space a print job takes at most, with some to spare: its
// thread, the print system's libraries as Qt loads them for the first job,
// and the PDF engine as it ends the job (measured: 44 MB for a report,
// 43 MB for a window image).
inline constexpr qsizetype printJobAddressSpace = qsizetype(56) << 20;

// Whether the process could still take this much more address space. Under
// a limit on it (ulimit -v), memory that runs out half way through drawing
// or ending a job does not always fail as a value: much of Qt's drawing
// code cannot report it, and crashes. So a job that might not fit does not
// begin.
bool addressSpaceFree(qsizetype bytes);

// Paints the pages of a job on the print thread, onto a painter already
// begun on the printer, from data it owns: the caller makes everything the
// pages show before the job begins, because the job may outlive the call
// and must touch nothing of the caller's. False when the job cannot go on.
using PageDrawing = std::function<bool(QPrinter& printer, QPainter& painter)>;

// Prints one job on the default printer; Failed at once when the job might
// not fit in the address space left. Call it on the GUI thread: while it
// waits, the thread paints its windows but holds back user input, so that no
// second click starts while the first is pending. A request to close a
// window still gets through, and so does input to a control let through
// (letThroughWhilePrinting): a person must be able to close the program
// then too. When the program ends during the wait, the wait ends at once
// with Abandoned. While an earlier job is still waiting for the print
// system, no job starts: NoAnswer at once.
PrintStatus print(PageDrawing drawing);

// A control that closes its window (a close button) keeps taking input while
// a print waits. For the life of the control.
void letThroughWhilePrinting(QWidget* control);

// A printer set up as every job's is: printResolution; with a
// PrinterRedirect to a file, writing that file. Asks the print system for
// the default printer, so it may block.
std::unique_ptr<QPrinter> newPrinter();

// Ends an active painter, and with it its job, exactly once; false when the
// job did not end well. Ending a PDF job compresses it, so memory can run
// out there; an end cut short that way is never retried, neither here nor
// by QPainter's destructor, which would do it inside noexcept and could
// hand a half-written job to the print system.
bool endPainting(QPainter& painter) noexcept;

// Test seam: while one lives, print jobs go to a PDF file instead of the
// default printer, or fail as asked without reaching any printer: NoPrinter
// and Failed at once, NoAnswer by never answering while the redirect lives.
// Scoped, so that a failing test cannot leave it in place: as it goes, the
// jobs it kept waiting get their answer, and it waits until they have ended.
class PrinterRedirect {
public:
    // Stands for memory running out on the print thread.
    struct OutOfMemory {};

    explicit PrinterRedirect(const QString& pdfPath);
    explicit PrinterRedirect(PrintStatus failure);
    explicit PrinterRedirect(OutOfMemory);
    ~PrinterRedirect();
    PrinterRedirect(const PrinterRedirect&) = delete;
    PrinterRedirect& operator=(const PrinterRedirect&) = delete;

    // How many jobs were begun while this redirect lived.
    int jobsBegun() const { return jobsBegun_; }
    // How many jobs are waiting for an answer that NoAnswer withholds, each
    // on its print thread.
    int jobsKeptWaiting() const;
    // Waits this long for the print system instead of printAnswerLimit.
    void setAnswerLimit(std::chrono::milliseconds limit) { answerLimit_ = limit; }

    struct Gate;

private:
    friend PrintStatus print(PageDrawing);
    friend std::unique_ptr<QPrinter> newPrinter();
    QString pdfPath_;
    PrintStatus failure_ = PrintStatus::Printed;
    bool outOfMemory_ = false;
    std::chrono::milliseconds answerLimit_ = printAnswerLimit;
    std::shared_ptr<Gate> silence_; // closed while the print system "does not answer"
    int jobsBegun_ = 0;
    PrinterRedirect* previous_;
    static PrinterRedirect* current_;
};

} // namespace qtface
