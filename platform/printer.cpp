#include "platform/printer.h"

#include <QPrinterInfo>

namespace platform {

PrinterRedirect* PrinterRedirect::current_ = nullptr;

PrinterRedirect::PrinterRedirect(const QString& pdfPath) : pdfPath_(pdfPath), previous_(current_) {
    current_ = this;
}

PrinterRedirect::PrinterRedirect(PrintStatus failure) : failure_(failure), previous_(current_) {
    // A job that "prints" nowhere would leave its caller drawing on a closed
    // painter; to print for real, redirect to a file.
    Q_ASSERT(failure != PrintStatus::Printed);
    current_ = this;
}

PrinterRedirect::~PrinterRedirect() {
    current_ = previous_;
}

PrintJob::PrintJob() {
    // A fixed 300 dpi keeps a rendered window sharp on paper without
    // building page images of hundreds of megabytes at a printer's 1200 dpi.
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setResolution(300);
    if (PrinterRedirect* redirect = PrinterRedirect::current_;
        redirect != nullptr && !redirect->pdfPath_.isEmpty()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(redirect->pdfPath_);
    }
}

PrintJob::~PrintJob() = default;

PrintStatus PrintJob::begin(QPainter& painter) {
    if (PrinterRedirect* redirect = PrinterRedirect::current_) {
        ++redirect->jobsBegun_;
        if (redirect->pdfPath_.isEmpty()) {
            return redirect->failure_;
        }
    } else if (QPrinterInfo::defaultPrinter().isNull()) {
        // Without one, QPrinter quietly turns into a PDF writer with no file.
        return PrintStatus::NoPrinter;
    }
    if (!painter.begin(printer_.get())) {
        return PrintStatus::Failed;
    }
    return PrintStatus::Printed;
}

PrintStatus PrintJob::finish(QPainter& painter) {
    const bool ended = painter.end();
    if (!ended || printer_->printerState() == QPrinter::Error ||
        printer_->printerState() == QPrinter::Aborted) {
        return PrintStatus::Failed;
    }
    return PrintStatus::Printed;
}

} // namespace platform
