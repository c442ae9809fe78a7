// Random use of one calculator window: thousands of random but valid user
// events on the real window, delivered through the window system as a
// person's would be (clicks on and around every control and in open lists,
// typing from a mixed alphabet, long pastes, keys, the wheel), every message
// box answered. It fails when the program crashes or a sanitizer reports
// (both end the process), when the window stops answering, and when after a
// click on Bereken an output box holds anything but its text from before, a
// whole number or "e".
//
//   random_use <twinoffset|solooffset> [events] [seed]
//
// Meant for a real X server (tests/e2e/desktop-session.sh --printer). The
// same seed gives the same events; RANDOM_USE_VERBOSE=1 prints each one.

#include "../windows/calculators.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Ends the process when the window has not handled an event for too long:
// the event loop beats while it runs, also inside a message box.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit) : thread_([this, limit] { watch(limit); }) {
        beat(0);
    }
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void beat(int event) {
        event_ = event;
        lastBeat_ = Clock::now().time_since_epoch().count();
    }

private:
    void watch(std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        while (!wake_.wait_for(lock, std::chrono::milliseconds(200), [this] { return stopping_; })) {
            const auto silent = Clock::now() - Clock::time_point(Clock::duration(lastBeat_.load()));
            if (silent > limit) {
                std::fprintf(stderr, "FAIL: the window did not answer for %lld s, at event %d\n",
                             static_cast<long long>(limit.count()), event_.load());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::atomic<Clock::rep> lastBeat_{0};
    std::atomic<int> event_{0};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_; // last: starts once the members above exist
};

const char* const outputBoxes[] = {"txtA",     "txtB",      "txtLengte",
                                   "txtHoogte", "txtVerHor", "txtVerVerticaal"};

// Digits of other scripts, separators of other locales, letters, signs.
const QString alphabet = QStringLiteral(
    "0123456789012345678,,,..--+ eExaZ\t"
    "\u0660\u0661\u0663\u0669\u06f0\u06f5\u0966\u0967\u096f\uff10\uff15\u066b\u066c"
    "\u00a0\u2212\u00bd'\u00e9");

// Texts that read as numbers, or nearly.
const QStringList numberLike = {
    QStringLiteral("500"),   QStringLiteral("30"),     QStringLiteral("45"),
    QStringLiteral("90"),    QStringLiteral("15"),     QStringLiteral("43"),
    QStringLiteral("87"),    QStringLiteral("125"),    QStringLiteral("350"),
    QStringLiteral("12,5"),  QStringLiteral("0"),      QStringLiteral("-3"),
    QStringLiteral("1.500"), QStringLiteral("1e3"),    QStringLiteral(" 30,0 "),
    QStringLiteral("\u0663\u0660"), QStringLiteral("99999999999999999999999"),
    QStringLiteral(",5"),    QStringLiteral("0,0000001"), QStringLiteral("-0"),
};

const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter,    Qt::Key_Tab,       Qt::Key_Backtab,
                        Qt::Key_Escape, Qt::Key_Up,       Qt::Key_Down,      Qt::Key_Left,
                        Qt::Key_Right,  Qt::Key_Home,     Qt::Key_End,       Qt::Key_Backspace,
                        Qt::Key_Delete, Qt::Key_Space,    Qt::Key_PageUp,    Qt::Key_PageDown,
                        Qt::Key_F4,     Qt::Key_Down /* with Alt: opens a list */};

class RandomUse {
public:
    RandomUse(bool twin, std::uint64_t seed) : twin_(twin), random_(seed) {}

    int run(int events) {
        Watchdog watchdog(std::chrono::seconds(20));
        QTimer answer;
        answer.setInterval(5);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            watchdog.beat(event_);
            // The loop runs, but the event does not end: a wait nobody answers.
            if (Clock::now() - eventStarted_ > std::chrono::seconds(30)) {
                std::fprintf(stderr, "FAIL: event %d has not ended after 30 s\n", event_);
                printRecent();
                std::fflush(stderr);
                std::_Exit(4);
            }
            answerModalBox();
            // A menu that holds the event in a loop of its own is closed the
            // way a person would close it.
            if (Clock::now() - eventStarted_ > std::chrono::seconds(2)) {
                if (QWidget* popup = QApplication::activePopupWidget()) {
                    note(QStringLiteral("Escape on the %1 the event waits for")
                             .arg(QString::fromLatin1(popup->metaObject()->className())));
                    QTest::keyClick(popup, Qt::Key_Escape);
                }
            }
        });
        answer.start();

        open();
        const auto started = Clock::now();
        for (event_ = 1; event_ <= events; ++event_) {
            const QMap<QString, QString> before = outputTexts();
            calculated_ = false;
            eventStarted_ = Clock::now();
            step();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            watchdog.beat(event_);
            if (calculated_) {
                if (!resultsShowable(before)) {
                    return 1;
                }
                results_ += outputTexts() != before ? 1 : 0;
            }
            if (!window_->isVisible()) { // Afsluiten, or closed another way
                ++reopened_;
                open();
            }
        }
        const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
        std::printf("%s: %d events in %.1f s, %d calculations (%d with new results), "
                    "%d reopenings, messages:\n",
                    twin_ ? "twinoffset" : "solooffset", events, seconds, calculations_, results_,
                    reopened_);
        for (auto it = messages_.cbegin(); it != messages_.cend(); ++it) {
            std::printf("  %5d  %s\n", it.value(), qPrintable(it.key()));
        }
        window_.reset();
        return 0;
    }

private:
    int below(std::size_t n) { return n == 0 ? 0 : int(random_() % n); }
    bool chance(int percent) { return below(100) < percent; }

    void open() {
        window_.reset();
        if (twin_) {
            auto window = makeTwin();
            window->load();
            window_ = std::move(window);
        } else {
            auto window = makeSolo();
            window->load();
            window_ = std::move(window);
        }
        if (!QTest::qWaitForWindowExposed(window_.get())) {
            qFatal("the window was not shown");
        }
        window_->activateWindow();
        // Without a window manager activation may not be reported; keys
        // reach the focus widget through the window either way.
        (void)QTest::qWaitForWindowActive(window_.get(), 2000);
        controls_.clear();
        for (QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->objectName().isEmpty()) {
                controls_.append(child);
            }
        }
        for (const char* name : {"cmdBereken", "cmdBereken2"}) {
            QObject::connect(window_->findChild<QPushButton*>(QString::fromLatin1(name)),
                             &QPushButton::clicked, [this] {
                                 calculated_ = true;
                                 ++calculations_;
                             });
        }
    }

    QMap<QString, QString> outputTexts() const {
        QMap<QString, QString> texts;
        for (const char* name : outputBoxes) {
            texts[QString::fromLatin1(name)] =
                window_->findChild<QLineEdit*>(QString::fromLatin1(name))->text();
        }
        return texts;
    }

    bool resultsShowable(const QMap<QString, QString>& before) const {
        static const QRegularExpression whole(QStringLiteral("^-?[0-9]+$"));
        const QMap<QString, QString> after = outputTexts();
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const QString& text = it.value();
            if (text != before.value(it.key()) && text != QLatin1String("e") &&
                !whole.match(text).hasMatch()) {
                std::fprintf(stderr, "FAIL at event %d: after Bereken %s shows '%s' (was '%s')\n",
                             event_, qPrintable(it.key()), qPrintable(text),
                             qPrintable(before.value(it.key())));
                printRecent();
                return false;
            }
        }
        return true;
    }

    void note(const QString& what) {
        recent_.push_back(QStringLiteral("%1: %2").arg(event_).arg(what));
        if (recent_.size() > 40) {
            recent_.pop_front();
        }
        if (qEnvironmentVariableIntValue("RANDOM_USE_VERBOSE") != 0) {
            std::printf("%s\n", qPrintable(recent_.back()));
        }
    }
    void printRecent() const {
        std::fprintf(stderr, "The last events:\n");
        for (const QString& line : recent_) {
            std::fprintf(stderr, "  %s\n", qPrintable(line));
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            std::fprintf(stderr, "Open modal window: %s '%s'\n", modal->metaObject()->className(),
                         qPrintable(modal->windowTitle()));
        }
        if (QWidget* popup = QApplication::activePopupWidget()) {
            std::fprintf(stderr, "Open popup: %s\n", popup->metaObject()->className());
        }
    }

    // Most events are single clicks, keys and so on; some are what a person
    // does in a few of them (fill a box, pick from a list, click Bereken),
    // so that calculations with results happen often.
    void step() {
        const int kind = below(100);
        if (kind < 25) {
            click();
        } else if (kind < 40) {
            fill();
        } else if (kind < 52) {
            pick();
        } else if (kind < 60) {
            calculate();
        } else if (kind < 72) {
            type();
        } else if (kind < 74) {
            paste();
        } else if (kind < 92) {
            key();
        } else {
            wheel();
        }
    }

    template <typename T> T* anyControl() {
        QList<T*> found;
        for (QWidget* control : controls_) {
            if (auto* typed = qobject_cast<T*>(control); typed != nullptr && typed->isEnabled()) {
                found.append(typed);
            }
        }
        return found.isEmpty() ? nullptr : found.at(below(found.size()));
    }

    // Clicks at a point given in the window's coordinates. The window
    // system hands a click inside an open list to the list's own window.
    void clickAt(QPoint point, const QString& where, Qt::MouseButton button = Qt::LeftButton,
                 bool twice = false) {
        note(QStringLiteral("%1 %2 on %3 at %4,%5")
                 .arg(twice ? QStringLiteral("double click") : QStringLiteral("click"))
                 .arg(button == Qt::LeftButton ? QStringLiteral("left") : QStringLiteral("right"))
                 .arg(where)
                 .arg(point.x())
                 .arg(point.y()));
        QWindow* target = window_->windowHandle();
        QPoint local(std::clamp(point.x(), 0, window_->width() - 1),
                     std::clamp(point.y(), 0, window_->height() - 1));
        if (QWidget* popup = QApplication::activePopupWidget()) {
            const QPoint inPopup = popup->mapFromGlobal(window_->mapToGlobal(point));
            if (popup->rect().contains(inPopup) && popup->windowHandle() != nullptr) {
                target = popup->windowHandle();
                local = inPopup;
            }
        }
        if (twice) {
            QTest::mouseDClick(target, button, Qt::NoModifier, local);
        } else {
            QTest::mouseClick(target, button, Qt::NoModifier, local);
        }
    }

    // Click into a box, select all and type over it.
    void fill() {
        QWidget* box = chance(50) ? static_cast<QWidget*>(anyControl<QLineEdit>())
                                  : static_cast<QWidget*>(anyControl<QComboBox>());
        if (box == nullptr) {
            return;
        }
        clickAt(box->geometry().center() - QPoint(box->width() / 4, 0), box->objectName());
        if (QApplication::activePopupWidget() == nullptr) {
            QTest::keyClick(window_->windowHandle(), Qt::Key_A, Qt::ControlModifier);
            type(85);
        }
    }

    // Open a list with its arrow and click one of its items.
    void pick() {
        QComboBox* box = anyControl<QComboBox>();
        if (box == nullptr) {
            return;
        }
        const QRect area = box->geometry();
        clickAt(QPoint(area.right() - 6, area.center().y()), box->objectName() + " arrow");
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr || box->count() == 0) {
            return;
        }
        QAbstractItemView* view = box->view();
        const QRect item = view->visualRect(view->model()->index(below(box->count()), 0));
        if (!item.isValid()) {
            return;
        }
        const QPoint global = view->viewport()->mapToGlobal(item.center());
        clickAt(window_->mapFromGlobal(global), QStringLiteral("item of the open list"));
    }

    void calculate() {
        auto* button = window_->findChild<QPushButton*>(
            QString::fromLatin1(chance(50) ? "cmdBereken" : "cmdBereken2"));
        clickAt(button->geometry().center(), button->objectName());
    }

    // A point on or around a control, or in an open list most of the time
    // one is open; in the window's coordinates, inside the window.
    QPoint anyPoint(QString& where) {
        QRect area;
        if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr && chance(70)) {
            area = QRect(window_->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->size());
            where = QStringLiteral("open list");
        } else {
            QWidget* control = controls_[below(controls_.size())];
            area = control->geometry();
            where = control->objectName();
        }
        if (chance(30)) {
            area.adjust(-12, -12, 12, 12);
            where += QStringLiteral(" (around)");
        }
        return QPoint(area.left() + below(std::max(1, area.width())),
                      area.top() + below(std::max(1, area.height())));
    }

    void click() {
        QString where;
        const QPoint point = anyPoint(where);
        const Qt::MouseButton button = chance(5) ? Qt::RightButton : Qt::LeftButton;
        clickAt(point, where, button, chance(7));
    }

    QString randomText(int length) {
        QString text;
        for (int i = 0; i < length; ++i) {
            text += alphabet.at(below(alphabet.size()));
        }
        return text;
    }

    void type(int numberPercent = 50) {
        const QString text = chance(numberPercent) ? numberLike.at(below(numberLike.size()))
                                        : randomText(1 + below(8));
        note(QStringLiteral("type '%1'").arg(text));
        for (const QChar c : text) {
            // Qt's key codes for Latin-1 letters are their upper case.
            const Qt::Key code = Qt::Key(c.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, window_->windowHandle(), code, QString(c),
                                Qt::NoModifier);
        }
    }

    void paste() {
        const int length = 100 + below(3000);
        const QString text = chance(50) ? QString(length, QLatin1Char('9')) : randomText(length);
        note(QStringLiteral("paste %1 characters").arg(length));
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(window_->windowHandle(), Qt::Key_V, Qt::ControlModifier);
    }

    void key() {
        const std::size_t index = below(std::size(keys));
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
        if (index + 1 == std::size(keys)) {
            modifiers = Qt::AltModifier;
        } else if (chance(5)) {
            modifiers = Qt::ControlModifier; // Ctrl+arrows, Ctrl+Home, ...
        }
        note(QStringLiteral("key %1%2")
                 .arg(modifiers == Qt::AltModifier ? QStringLiteral("Alt+")
                      : modifiers == Qt::ControlModifier ? QStringLiteral("Ctrl+")
                                                         : QString())
                 .arg(QKeySequence(keys[index]).toString()));
        QTest::keyClick(window_->windowHandle(), keys[index], modifiers);
    }

    // Wheel events reach the control under the pointer, or an open list.
    void wheel() {
        QString where;
        const QPoint point = anyPoint(where);
        QWidget* target = QApplication::activePopupWidget();
        if (target == nullptr) {
            target = window_->childAt(point);
        }
        if (target == nullptr) {
            target = window_.get();
        }
        if (QWidget* inner = target->childAt(target->mapFrom(window_.get(), point))) {
            target = inner;
        }
        const int delta = (chance(50) ? 120 : -120) * (1 + below(3));
        note(QStringLiteral("wheel %1 on %2").arg(delta).arg(where));
        const QPointF local = target->mapFrom(window_.get(), point);
        QWheelEvent event(local, window_->mapToGlobal(QPointF(point)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    // Answers whatever modal box is open, as a person might: Enter, Escape,
    // Space on its button or a click on it.
    void answerModalBox() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            note(QStringLiteral("Escape on an unexpected dialog"));
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        ++messages_[box->windowTitle() + QStringLiteral(": ") + box->text()];
        QAbstractButton* ok = box->buttons().value(0);
        switch (below(4)) {
        case 0:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case 2:
            QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box,
                            Qt::Key_Space);
            break;
        default:
            if (ok != nullptr) {
                QTest::mouseClick(ok, Qt::LeftButton);
            }
            break;
        }
        if (box->isVisible() && QApplication::activeModalWidget() == box) {
            box->done(0); // no answer closed it: the test itself would hang
        }
    }

    const bool twin_;
    std::mt19937_64 random_;
    std::unique_ptr<QWidget> window_;
    QList<QWidget*> controls_;
    std::deque<QString> recent_;
    QMap<QString, int> messages_;
    int event_ = 0;
    Clock::time_point eventStarted_ = Clock::now();
    bool calculated_ = false;
    int calculations_ = 0;
    int results_ = 0;
    int reopened_ = 0;
};

// Fonts without shaping tables for the other scripts typed are reported once
// per font; that is noise here.
QtMessageHandler standardHandler = nullptr;
void quietFontWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("OpenType support missing"))) {
        standardHandler(type, context, message);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    standardHandler = qInstallMessageHandler(quietFontWarnings);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2 || (args[1] != "twinoffset" && args[1] != "solooffset")) {
        std::fprintf(stderr, "usage: random_use <twinoffset|solooffset> [events] [seed]\n");
        return 2;
    }
    const int events = args.size() > 2 ? args[2].toInt() : 1000;
    const std::uint64_t seed = args.size() > 3 ? args[3].toULongLong() : 1;
    std::printf("%s: %d random events, seed %llu\n", qPrintable(args[1]), events,
                static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    return RandomUse(args[1] == "twinoffset", seed).run(events);
}
