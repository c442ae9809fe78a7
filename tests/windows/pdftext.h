#pragma once

// The text of a PDF file as poppler's pdftotext reads it, with -layout so
// that columns stay where they were drawn. Each page ends in a form feed.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <optional>

namespace pdftext {

// Nothing when pdftotext is not installed; an empty text when it cannot
// read the file.
inline std::optional<QString> read(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    const bool read = process.waitForFinished(30000) && process.exitCode() == 0;
    return read ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

} // namespace pdftext
