#pragma once

// The default printer, reached without a dialog. Every print goes through a
// PrintJob, which knows how to find the printer, how to tell "no printer"
// from a failed job, and where a test has sent the output instead.

#include <QPainter>
#include <QPrinter>
#include <QString>

#include <memory>

namespace platform {

enum class PrintStatus {
    Printed,
    NoPrinter, // no printer installed
    Failed,    // the print system refused or failed the job
};

class PrintJob {
public:
    PrintJob();
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    QPrinter& printer() { return *printer_; }

    // Opens the job and the painter on it. Anything but Printed means that
    // nothing was started and nothing is to be drawn.
    PrintStatus begin(QPainter& painter);
    // Ends the painter, which hands the job to the print system.
    PrintStatus finish(QPainter& painter);

private:
    std::unique_ptr<QPrinter> printer_;
};

// Test seam: while one lives, print jobs go to a PDF file instead of the
// default printer, or fail as asked without reaching any printer. Scoped, so
// that a failing test cannot leave it in place.
class PrinterRedirect {
public:
    explicit PrinterRedirect(const QString& pdfPath);
    explicit PrinterRedirect(PrintStatus failure);
    ~PrinterRedirect();
    PrinterRedirect(const PrinterRedirect&) = delete;
    PrinterRedirect& operator=(const PrinterRedirect&) = delete;

    // How many jobs were begun while this redirect lived.
    int jobsBegun() const { return jobsBegun_; }

private:
    friend class PrintJob;
    QString pdfPath_;
    PrintStatus failure_ = PrintStatus::Printed;
    int jobsBegun_ = 0;
    PrinterRedirect* previous_;
    static PrinterRedirect* current_;
};

} // namespace platform
