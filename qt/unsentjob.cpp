#include "qt/unsentjob.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#if defined(Q_OS_LINUX)
#include <unistd.h>
#endif

namespace qtface {

void discardUnsentJobFiles() {
#if defined(Q_OS_LINUX)
    // Found by the descriptors that hold them, wherever the print system put
    // them, so that no other process's file is ever touched.
    const QRegularExpression jobFile(QRegularExpression::anchoredPattern(
        QString::asprintf("%05x", unsigned(getpid())) + QStringLiteral("[0-9a-f]{8}")));
    const QString descriptors = QStringLiteral("/proc/self/fd");
    const QStringList entries =
        QDir(descriptors).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isNumber = false;
        const int descriptor = entry.toInt(&isNumber);
        if (!isNumber) {
            continue;
        }
        char target[4096];
        const QByteArray link = QFile::encodeName(descriptors + QLatin1Char('/') + entry);
        const ssize_t length = readlink(link.constData(), target, sizeof target - 1);
        if (length <= 0) {
            continue;
        }
        const QString path = QFile::decodeName(QByteArray(target, length));
        if (!path.startsWith(QLatin1Char('/')) ||
            !jobFile.match(path.section('/', -1)).hasMatch()) {
            continue;
        }
        QFile::remove(path);
        close(descriptor);
    }
#endif
}

} // namespace qtface
