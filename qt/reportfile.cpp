#include "qt/reportfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace qtface {

ReportFileWatch* ReportFileWatch::current_ = nullptr;

ReportFileWatch::ReportFileWatch(Failing failing) : failing_(failing), previous_(current_) {
    current_ = this;
}

ReportFileWatch::~ReportFileWatch() {
    current_ = previous_;
}

ReportFile::ReportFile()
    : folder_(QDir::tempPath()), file_(QDir(folder_).filePath(QCoreApplication::applicationName() +
                                                              QStringLiteral("-XXXXXX.txt"))) {
    file_.setAutoRemove(true);
}

ReportFile::~ReportFile() = default;

bool ReportFile::create() {
    if (ReportFileWatch::fails(ReportFileWatch::Failing::Create)) {
        return false;
    }
    // Where the temporary folder is missing, Qt names none, and the file
    // would land in the working folder.
    if (folder_.isEmpty() || !QFileInfo(folder_).isDir()) {
        return false;
    }
    // QTemporaryFile opens with exclusive creation and picks another name
    // when one is taken.
    if (!file_.open()) {
        return false;
    }
    if (ReportFileWatch* watch = ReportFileWatch::current_) {
        watch->created_.append(file_.fileName());
    }
    return true;
}

bool ReportFile::write(const QByteArray& bytes) {
    if (ReportFileWatch::fails(ReportFileWatch::Failing::Write)) {
        file_.close();
        return false;
    }
    const bool written = file_.write(bytes) == bytes.size();
    // Closing flushes; a full disk shows only then.
    file_.close();
    if (!written || file_.error() != QFileDevice::NoError) {
        return false;
    }
    if (ReportFileWatch* watch = ReportFileWatch::current_) {
        watch->written_.append(bytes);
    }
    return true;
}

std::optional<QByteArray> readWholeFile(const QString& path) {
    if (ReportFileWatch::fails(ReportFileWatch::Failing::Read) || !QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const qint64 length = file.size();
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError || content.size() != length) {
        return std::nullopt;
    }
    return content;
}

} // namespace qtface
