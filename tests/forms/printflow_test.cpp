// The print flow without a toolkit and without a printer: what each kind of
// printer comes to, the report's round trip through its file, the limit on
// the wait, the one job a silent print system may hold, and a close during
// the wait.

#include "forms/printflow.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <new>
#include <random>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <thread>

using forms::PrintOutcome;
using std::chrono::milliseconds;
namespace fs = std::filesystem;

namespace {

// A printer as a test steers it; it keeps what reached it.
class FakePrinter : public forms::Printer {
public:
    enum class Way { Prints, NoPrinter, Refuses, OutOfMemory, Silent };
    explicit FakePrinter(Way way) : way_(way) {}

    bool hasDefaultPrinter() override { return way_ != Way::NoPrinter; }
    bool printText(const std::string& text, const std::string& family, double pointSize) override {
        {
            const std::lock_guard lock(mutex_);
            texts.push_back(text + "|" + family + "|" + std::to_string(int(pointSize)));
        }
        return job();
    }
    bool printImage(const forms::WindowImage& image) override {
        {
            const std::lock_guard lock(mutex_);
            images.push_back(image.pixels);
        }
        return job();
    }
    // Lets a silent print system answer at last; waits until its jobs ended.
    void answer() {
        std::unique_lock lock(mutex_);
        answered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return held_ == 0; });
    }

    std::vector<std::string> texts;
    std::vector<std::vector<std::uint32_t>> images;

private:
    bool job() {
        switch (way_) {
        case Way::Prints:
            return true;
        case Way::NoPrinter:
        case Way::Refuses:
            return false;
        case Way::OutOfMemory:
            throw std::bad_alloc();
        case Way::Silent:
            break;
        }
        std::unique_lock lock(mutex_);
        ++held_;
        changed_.wait(lock, [this] { return answered_; });
        --held_;
        changed_.notify_all();
        return true;
    }

    Way way_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool answered_ = false;
    int held_ = 0;
};

// A face's wait without a face: it blocks until woken or the deadline, and
// can play a person closing the window after a while.
class FakeWaiter : public forms::Waiter {
public:
    End wait(std::chrono::steady_clock::time_point deadline) override {
        std::unique_lock lock(mutex_);
        ++waits;
        const auto closing = closeAfter_ ? std::chrono::steady_clock::now() + *closeAfter_
                                         : std::chrono::steady_clock::time_point::max();
        const bool woken =
            woke_.wait_until(lock, std::min(deadline, closing), [this] { return woken_; });
        if (woken) {
            woken_ = false;
            return End::Woken;
        }
        return std::chrono::steady_clock::now() >= closing && closing < deadline ? End::Closing
                                                                                 : End::TimedOut;
    }
    void wake() override {
        const std::lock_guard lock(mutex_);
        woken_ = true;
        woke_.notify_all();
    }
    void closeAfter(milliseconds delay) { closeAfter_ = delay; }

    int waits = 0;

private:
    std::mutex mutex_;
    std::condition_variable woke_;
    bool woken_ = false;
    std::optional<milliseconds> closeAfter_;
};

// A folder of the test's own for report files.
struct Folder {
    fs::path path =
        fs::temp_directory_path() / ("printflow-test-" + std::to_string(std::random_device()()));
    Folder() { fs::create_directory(path); }
    ~Folder() { fs::remove_all(path); }
    bool empty() const { return fs::is_empty(path); }
};

const std::string report = " \r\n     Kestravon Versleping\r\n         A:  76\n\r\n";

} // namespace

TEST(PrintFlow, EachPrinterComesToItsOutcome) {
    struct Row {
        const char* name;
        FakePrinter::Way way;
        PrintOutcome outcome;
    };
    const Row rows[] = {
        {"printed", FakePrinter::Way::Prints, PrintOutcome::Printed},
        {"no printer installed", FakePrinter::Way::NoPrinter, PrintOutcome::NoPrinter},
        {"the print system refuses", FakePrinter::Way::Refuses, PrintOutcome::Failed},
        {"memory runs out in the job", FakePrinter::Way::OutOfMemory, PrintOutcome::Failed},
    };
    for (const Row& row : rows) {
        for (const bool image : {false, true}) {
            SCOPED_TRACE(std::string(row.name) + (image ? ", image" : ", report"));
            Folder folder;
            FakeWaiter waiter;
            auto printer = std::make_shared<FakePrinter>(row.way);
            forms::PrintFlow flow(printer, waiter, folder.path.string());
            const PrintOutcome outcome =
                image ? flow.printImage({2, 1, 300, {0xff000000U, 0xffffffffU}})
                      : flow.printReport(report, "Courier", 14);
            EXPECT_EQ(outcome, row.outcome);
            EXPECT_FALSE(flow.jobWaiting());
            EXPECT_TRUE(folder.empty());
            if (row.way != FakePrinter::Way::NoPrinter) {
                if (image) {
                    ASSERT_EQ(printer->images.size(), 1U);
                    EXPECT_EQ(printer->images[0],
                              (std::vector<std::uint32_t>{0xff000000U, 0xffffffffU}));
                } else {
                    // Byte for byte what went through the file, in its font.
                    EXPECT_EQ(printer->texts, std::vector<std::string>{report + "|Courier|14"});
                }
            }
        }
    }
}

TEST(PrintFlow, ReportFileTroubleIsToldAndNothingPrinted) {
    FakeWaiter waiter;
    auto printer = std::make_shared<FakePrinter>(FakePrinter::Way::Prints);
    Folder folder;
    {
        SCOPED_TRACE("no temporary folder");
        forms::PrintFlow flow(printer, waiter, (folder.path / "missing").string());
        EXPECT_EQ(flow.printReport(report, "Courier", 14), PrintOutcome::ReportNotMade);
    }
    {
        SCOPED_TRACE("a file where the folder should be");
        const fs::path file = folder.path / "file";
        { std::ofstream(file) << "x"; }
        forms::PrintFlow flow(printer, waiter, file.string());
        EXPECT_EQ(flow.printReport(report, "Courier", 14), PrintOutcome::ReportNotMade);
        fs::remove(file);
    }
#ifndef _WIN32
    {
        SCOPED_TRACE("the disk takes no more");
        // A limit on file size stands for a full disk; its signal would end
        // the test instead of failing the write.
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = saved;
        tiny.rlim_cur = 4;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
        forms::PrintFlow flow(printer, waiter, folder.path.string());
        const PrintOutcome outcome = flow.printReport(report, "Courier", 14);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(outcome, PrintOutcome::ReportNotMade);
        EXPECT_TRUE(folder.empty());
    }
#endif
    EXPECT_TRUE(printer->texts.empty());
}

TEST(PrintFlow, EmptyReportAndLargeReportGoThroughWhole) {
    Folder folder;
    FakeWaiter waiter;
    auto printer = std::make_shared<FakePrinter>(FakePrinter::Way::Prints);
    forms::PrintFlow flow(printer, waiter, folder.path.string());
    const std::string large(300000, 'x');
    EXPECT_EQ(flow.printReport("", "Courier", 14), PrintOutcome::Printed);
    EXPECT_EQ(flow.printReport(large, "Courier", 14), PrintOutcome::Printed);
    ASSERT_EQ(printer->texts.size(), 2U);
    EXPECT_EQ(printer->texts[0], "|Courier|14");
    EXPECT_EQ(printer->texts[1], large + "|Courier|14");
    EXPECT_TRUE(folder.empty());
}

// A silent print system holds one job: the caller hears after the limit,
// the next print hears at once and starts no job, and once the print system
// answers, printing goes on.
TEST(PrintFlow, SilentPrintSystemHoldsOneJobAndTheWaitEnds) {
    Folder folder;
    FakeWaiter waiter;
    auto printer = std::make_shared<FakePrinter>(FakePrinter::Way::Silent);
    forms::PrintFlow flow(printer, waiter, folder.path.string(), milliseconds(150));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(flow.printReport(report, "Courier", 14), PrintOutcome::NoAnswer);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, milliseconds(150));
    EXPECT_LT(waited, milliseconds(5000));
    EXPECT_TRUE(flow.jobWaiting());
    EXPECT_TRUE(folder.empty()); // the file went before the job began

    const int waitsBefore = waiter.waits;
    EXPECT_EQ(flow.printImage({1, 1, 300, {0xffffffffU}}), PrintOutcome::NoAnswer);
    EXPECT_EQ(flow.printReport(report, "Courier", 14), PrintOutcome::NoAnswer);
    EXPECT_EQ(waiter.waits, waitsBefore);
    EXPECT_EQ(printer->texts.size(), 1U);
    EXPECT_TRUE(printer->images.empty());

    // Its job ends a moment after the print system answered it.
    printer->answer();
    const auto answered = std::chrono::steady_clock::now();
    while (flow.jobWaiting() && std::chrono::steady_clock::now() - answered < milliseconds(5000)) {
        std::this_thread::yield();
    }
    EXPECT_FALSE(flow.jobWaiting());
    EXPECT_EQ(flow.printReport(report, "Courier", 14), PrintOutcome::Printed);
}

TEST(PrintFlow, CloseDuringTheWaitEndsItAtOnce) {
    Folder folder;
    FakeWaiter waiter;
    waiter.closeAfter(milliseconds(50));
    auto printer = std::make_shared<FakePrinter>(FakePrinter::Way::Silent);
    {
        forms::PrintFlow flow(printer, waiter, folder.path.string());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(flow.printImage({1, 1, 300, {0xffffffffU}}), PrintOutcome::Abandoned);
        EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(5000));
    }
    // The flow is gone before its job ends: the job finds nobody to wake.
    printer->answer();
}
