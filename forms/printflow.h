#pragma once

// One print, the same in every face: the report's text or the window's
// image goes to a job on a thread of its own, and the caller waits for it
// at most printAnswerLimit while its window stays painted and can be closed
// but takes no other input. A print system may keep a job waiting for ever
// (a print server that accepts the connection and stays silent): the caller
// then hears NoAnswer and the job is left to end by itself. While it has
// not, no other job starts, and a print asked for meanwhile hears NoAnswer
// at once: a print system that keeps one job waiting would keep the next
// one too. A close during the wait ends the wait, and the program, at once.
//
// What a toolkit gives is only the printer (Printer) and its way of waiting
// with the window alive (Waiter).

#include "forms/presenter.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// How long a print waits for the print system before it gives up.
inline constexpr std::chrono::milliseconds printAnswerLimit{10000};

// The window as it stands, drawn by its face on the calling thread before
// the job begins: rows of 32-bit pixels 0xffRRGGBB, top row first, at
// dotsPerInch.
struct WindowImage {
    int width = 0;
    int height = 0;
    int dotsPerInch = 96;
    std::vector<std::uint32_t> pixels;
};

// The default printer, as a toolkit reaches it without a dialog. Called on
// the job's thread, one job at a time, with data the job owns; it may block
// for as long as the print system keeps it waiting. An exception thrown
// (memory running out) fails the job.
class Printer {
public:
    virtual ~Printer() = default;

    // Whether a default printer is installed.
    virtual bool hasDefaultPrinter() = 0;
    // Prints the text in the family at the size (points) on the default
    // printer; CR LF, LF and CR each end a line. True when the job reached
    // the print system and was taken.
    virtual bool printText(const std::string& text, const std::string& family,
                           double pointSize) = 0;
    // Prints the image on one page of the default printer, as large as the
    // printable area allows with its proportions kept. True when taken.
    virtual bool printImage(const WindowImage& image) = 0;
};

// How a face waits with its window alive.
class Waiter {
public:
    enum class End { Woken, TimedOut, Closing };

    virtual ~Waiter() = default;

    // Runs the face's event loop, the window painted and closable (its close
    // button too) but taking no other input, until wake() is called (also
    // when that came before this was), until the deadline, or until the
    // program is ending: Closing.
    virtual End wait(std::chrono::steady_clock::time_point deadline) = 0;
    // Ends a wait from the job's thread. Safe from any thread.
    virtual void wake() = 0;
};

class PrintFlow {
public:
    // reportFolder: where a report's file is made, the user's temporary
    // folder as the face finds it (UTF-8).
    PrintFlow(std::shared_ptr<Printer> printer, Waiter& waiter, std::string reportFolder,
              std::chrono::milliseconds answerLimit = printAnswerLimit);
    ~PrintFlow();
    PrintFlow(const PrintFlow&) = delete;
    PrintFlow& operator=(const PrintFlow&) = delete;

    // The report is written to a new private file of this print's own in
    // the report folder, read back whole and the file removed, before the
    // job begins; what was read back is printed. ReportNotMade when the file
    // could not be made, written or read.
    PrintOutcome printReport(const std::string& text, const std::string& family, double pointSize);
    // The window's image, made by the face just before.
    PrintOutcome printImage(WindowImage image);

    // Whether a job is still waiting for the print system.
    bool jobWaiting() const;

    struct Job;

private:
    PrintOutcome run(std::shared_ptr<Job> job);

    std::shared_ptr<Printer> printer_;
    Waiter& waiter_;
    std::string reportFolder_;
    std::chrono::milliseconds answerLimit_;
    std::shared_ptr<Job> lastJob_;
};

// A printed text's lines, as every printer sets them: CR LF, a lone LF and
// a lone CR each end a line; a final line break starts no empty line.
std::vector<std::string> linesOf(std::string_view text);

// The report's round trip through its file: made exclusively in the folder
// (never one that was there before), readable by its owner alone, written
// whole, read back whole and removed. Nothing when any step fails; the file
// is gone either way.
// The folder is UTF-8. (No std::filesystem: on Windows it alone would bring
// half a megabyte of the C++ library's locale code into each program.)
std::optional<std::string> throughReportFile(const std::string& folder, const std::string& text);

} // namespace forms
