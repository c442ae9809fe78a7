#pragma once

// Printers a window test hands a window instead of the default printer: one
// that writes each job into a PDF file through the Qt face's own drawing,
// one that has no printer, refuses or runs out of memory, and one that
// never answers until the test lets it.

#include "forms/printflow.h"
#include "qt/qtprinter.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <new>

// Writes every job into the PDF file, the last job's over the one before.
class PdfPrinter : public forms::Printer {
public:
    explicit PdfPrinter(QString path) : path_(std::move(path)) {}

    bool hasDefaultPrinter() override { return true; }
    bool printText(const std::string& text, const std::string& family, double pointSize) override {
        record(QString::fromStdString(text), QString::fromStdString(family), pointSize);
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer);
        return qtface::printTextOn(printer, QString::fromStdString(text),
                                   QString::fromStdString(family), pointSize);
    }
    bool printImage(const forms::WindowImage& image) override {
        record(QStringLiteral("image %1 x %2").arg(image.width).arg(image.height), {}, 0);
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer);
        return qtface::printImageOn(printer, image);
    }

    // What each job printed: its text (or the image's size), family and size.
    struct Job {
        QString text;
        QString family;
        double pointSize;
    };
    QList<Job> jobs() const {
        const std::lock_guard lock(mutex_);
        return jobs_;
    }

private:
    void toPdf(QPrinter& printer) const {
        printer.setResolution(qtface::printResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path_);
    }
    void record(const QString& text, const QString& family, double pointSize) {
        const std::lock_guard lock(mutex_);
        jobs_.append({text, family, pointSize});
    }

    QString path_;
    mutable std::mutex mutex_;
    QList<Job> jobs_;
};

// A printer in trouble: none installed, one that refuses every job, or
// memory running out while a job is made.
class TroubledPrinter : public forms::Printer {
public:
    enum class Trouble { NoPrinter, Refuses, OutOfMemory };
    explicit TroubledPrinter(Trouble trouble) : trouble_(trouble) {}

    bool hasDefaultPrinter() override { return trouble_ != Trouble::NoPrinter; }
    bool printText(const std::string&, const std::string&, double) override { return job(); }
    bool printImage(const forms::WindowImage&) override { return job(); }

private:
    bool job() const {
        if (trouble_ == Trouble::OutOfMemory) {
            throw std::bad_alloc();
        }
        return false;
    }
    Trouble trouble_;
};

// A print system that keeps every job waiting until release(), which its
// owner must call before the test ends; it waits until the jobs have left.
class SilentPrinter : public forms::Printer {
public:
    bool hasDefaultPrinter() override { return true; }
    bool printText(const std::string&, const std::string&, double) override { return hold(); }
    bool printImage(const forms::WindowImage&) override { return hold(); }

    int jobsHeld() const {
        const std::lock_guard lock(mutex_);
        return held_;
    }
    void release() {
        std::unique_lock lock(mutex_);
        open_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return held_ == 0; });
    }

private:
    bool hold() {
        std::unique_lock lock(mutex_);
        ++held_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --held_;
        changed_.notify_all();
        return true;
    }
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int held_ = 0;
};
