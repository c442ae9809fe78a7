#pragma once

// The file a report is composed in before it is printed. Each report gets a
// new file of its own in the user's temporary folder, created exclusively:
// never one that was there before, never shared with another running copy,
// never appended to. The file goes when its ReportFile goes, so a caller
// that leaves early, for whatever reason, leaves nothing behind.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <optional>

namespace qtface {

class ReportFile {
public:
    ReportFile();
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    // False when the temporary folder is missing or refuses a new file.
    bool create();
    // Writes all the bytes and closes the file; false when not all of them
    // reached the disk.
    bool write(const QByteArray& bytes);
    // Where the file is, once created.
    QString path() const { return file_.fileName(); }

private:
    QString folder_;
    QTemporaryFile file_;
};

// The whole content of the normal file at the path; nothing when no normal
// file is there or it cannot be read to its end.
std::optional<QByteArray> readWholeFile(const QString& path);

// Test seam: while one lives, the paths of the report files created are
// recorded with what was written into them, and the step asked for fails as
// the file system could make it fail. Scoped, so that a failing test cannot
// leave it in place.
class ReportFileWatch {
public:
    enum class Failing { Nothing, Create, Write, Read };

    explicit ReportFileWatch(Failing failing = Failing::Nothing);
    ~ReportFileWatch();
    ReportFileWatch(const ReportFileWatch&) = delete;
    ReportFileWatch& operator=(const ReportFileWatch&) = delete;

    const QStringList& created() const { return created_; }
    // The bytes that reached each file, in the order written.
    const QList<QByteArray>& written() const { return written_; }

private:
    friend class ReportFile;
    friend std::optional<QByteArray> readWholeFile(const QString& path);
    static bool fails(Failing step) { return current_ != nullptr && current_->failing_ == step; }

    Failing failing_;
    QStringList created_;
    QList<QByteArray> written_;
    ReportFileWatch* previous_;
    static ReportFileWatch* current_;
};

} // namespace qtface
