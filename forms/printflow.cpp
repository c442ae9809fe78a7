#include "forms/printflow.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <system_error>
#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace forms {

// Between the caller and the job's thread; each holds a share, so that the
// thread can outlive the call, and the flow.
struct PrintFlow::Job {
    std::mutex mutex;
    std::optional<PrintOutcome> outcome;
    Waiter* waiter = nullptr; // while the caller waits
    // Prints on the default printer, once there is one; true when the print
    // system took the job. Owns everything the job prints; let go of on the
    // job's thread.
    std::function<bool(Printer&)> work;
};

PrintFlow::PrintFlow(std::shared_ptr<Printer> printer, Waiter& waiter, std::string reportFolder,
                     std::chrono::milliseconds answerLimit)
    : printer_(std::move(printer)), waiter_(waiter), reportFolder_(std::move(reportFolder)),
      answerLimit_(answerLimit) {}

PrintFlow::~PrintFlow() {
    // A job still waiting finds nobody to wake from now on.
    if (lastJob_) {
        const std::lock_guard lock(lastJob_->mutex);
        lastJob_->waiter = nullptr;
    }
}

bool PrintFlow::jobWaiting() const {
    if (!lastJob_) {
        return false;
    }
    const std::lock_guard lock(lastJob_->mutex);
    return !lastJob_->outcome.has_value();
}

PrintOutcome PrintFlow::printReport(const std::string& text, const std::string& family,
                                    double pointSize) {
    if (jobWaiting()) {
        return PrintOutcome::NoAnswer;
    }
    try {
        // The file lives only inside this call: it is gone before the job
        // begins, so a job that hangs or a program that ends leaves nothing.
        std::optional<std::string> readBack = throughReportFile(reportFolder_, text);
        if (!readBack) {
            return PrintOutcome::ReportNotMade;
        }
        auto job = std::make_shared<Job>();
        job->work = [report = std::move(*readBack), family, pointSize](Printer& printer) {
            return printer.printText(report, family, pointSize);
        };
        return run(std::move(job));
    } catch (const std::bad_alloc&) {
        // Too little memory for the report or its job: it is not printed,
        // the program goes on.
        return PrintOutcome::Failed;
    }
}

PrintOutcome PrintFlow::printImage(WindowImage image) {
    if (jobWaiting()) {
        return PrintOutcome::NoAnswer;
    }
    try {
        auto job = std::make_shared<Job>();
        job->work = [image = std::move(image)](Printer& printer) {
            return printer.printImage(image);
        };
        return run(std::move(job));
    } catch (const std::bad_alloc&) {
        return PrintOutcome::Failed;
    }
}

PrintOutcome PrintFlow::run(std::shared_ptr<Job> job) {
    job->waiter = &waiter_;
    try {
        std::thread([printer = printer_, job] {
            PrintOutcome outcome = PrintOutcome::Failed;
            try {
                if (!printer->hasDefaultPrinter()) {
                    outcome = PrintOutcome::NoPrinter;
                } else if (job->work(*printer)) {
                    outcome = PrintOutcome::Printed;
                }
            } catch (...) {
                // Memory ran out, or the like: the job is lost, the program
                // goes on.
            }
            job->work = nullptr;
            const std::lock_guard lock(job->mutex);
            job->outcome = outcome;
            if (job->waiter != nullptr) {
                job->waiter->wake();
            }
        }).detach();
    } catch (const std::system_error&) {
        return PrintOutcome::Failed; // no thread for the job
    }
    lastJob_ = job;

    const auto deadline = std::chrono::steady_clock::now() + answerLimit_;
    for (;;) {
        {
            const std::lock_guard lock(job->mutex);
            if (job->outcome) {
                job->waiter = nullptr;
                return *job->outcome;
            }
        }
        const Waiter::End end = waiter_.wait(deadline);
        if (end == Waiter::End::Woken) {
            continue; // the outcome is there, or it was a wake of no use
        }
        const std::lock_guard lock(job->mutex);
        job->waiter = nullptr;
        if (end == Waiter::End::Closing) {
            return PrintOutcome::Abandoned;
        }
        return job->outcome.value_or(PrintOutcome::NoAnswer);
    }
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    if (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// ---- the report file ---------------------------------------------------------

namespace {

std::string randomName() {
    static constexpr char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::random_device source;
    std::string name = "offsetreport-";
    for (int i = 0; i < 12; ++i) {
        name += digits[source() % 36];
    }
    return name + ".txt";
}

#ifdef _WIN32
using Handle = HANDLE;
const Handle noFile = INVALID_HANDLE_VALUE;

std::wstring native(const std::string& path) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0);
    std::wstring result(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), result.data(), length);
    return result;
}
bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(native(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
std::string joined(const std::string& folder, const std::string& name) {
    const bool separated = folder.back() == '\\' || folder.back() == '/';
    return separated ? folder + name : folder + "\\" + name;
}
// Private: the temporary folder is the user's own, and the file is shared
// with no one while it is open.
Handle createExclusive(const std::string& path) {
    return CreateFileW(native(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_TEMPORARY, nullptr);
}
void removeFile(const std::string& path) {
    DeleteFileW(native(path).c_str());
}
bool writeAll(Handle file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size() && FlushFileBuffers(file) != 0;
}
std::optional<std::string> readAll(Handle file) {
    LARGE_INTEGER size{};
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        GetFileSizeEx(file, &size) == 0) {
        return std::nullopt;
    }
    std::string content(std::size_t(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() &&
        (ReadFile(file, content.data(), DWORD(content.size()), &read, nullptr) == 0 ||
         read != content.size())) {
        return std::nullopt;
    }
    return content;
}
void closeFile(Handle file) {
    CloseHandle(file);
}
#else
using Handle = int;
const Handle noFile = -1;

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
std::string joined(const std::string& folder, const std::string& name) {
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}
// Readable and writable by its owner alone; never a file or link that was
// there before.
Handle createExclusive(const std::string& path) {
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  S_IRUSR | S_IWUSR);
}
void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}
bool writeAll(Handle file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += std::size_t(n);
    }
    return ::fsync(file) == 0;
}
std::optional<std::string> readAll(Handle file) {
    struct stat status {};
    if (::lseek(file, 0, SEEK_SET) != 0 || ::fstat(file, &status) != 0) {
        return std::nullopt;
    }
    std::string content(std::size_t(status.st_size), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::read(file, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return std::nullopt;
        }
        done += std::size_t(n);
    }
    return content;
}
void closeFile(Handle file) {
    ::close(file);
}
#endif

} // namespace

std::optional<std::string> throughReportFile(const std::string& folder, const std::string& text) {
    if (folder.empty() || !isFolder(folder)) {
        return std::nullopt;
    }
    // A name taken already (by a file of another copy, or one planted there)
    // is never opened: another name is tried.
    std::string path;
    Handle file = noFile;
    for (int attempt = 0; attempt < 8 && file == noFile; ++attempt) {
        path = joined(folder, randomName());
        file = createExclusive(path);
    }
    if (file == noFile) {
        return std::nullopt;
    }
    std::optional<std::string> readBack;
    if (writeAll(file, text)) {
        readBack = readAll(file);
    }
    closeFile(file);
    removeFile(path);
    return readBack;
}

} // namespace forms
