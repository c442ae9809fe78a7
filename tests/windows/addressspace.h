#pragma once

// The process's address space, for the tests of printing under a limit on
// it (ulimit -v).

#include <QByteArray>
#include <QFile>

// In KiB, as ulimit -v counts it; -1 where the system does not tell.
inline qint64 addressSpaceKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmSize:")) {
            return line.mid(7).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}
