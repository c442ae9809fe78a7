#include "qt/accessibility.h"

#include "qt/formwindow.h"
#include "qt/diagramview.h"
#include "forms/formtable.h"
#include "forms/spoken.h"
#include "qt/pickcombobox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QStringList>
#include <QWidget>

namespace qtface {

namespace {

QWidget* child(QWidget* window, const char* name) {
    return window->findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

// A leaf of a notice: no widget, no place on the screen, only words.
class NoticePart : public QAccessibleInterface {
public:
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
};

class NoticeFace;

// The words of a notice as a label of its own: what a screen reader shows
// on a braille display and keeps in its list of notifications.
class NoticeTextFace : public NoticePart {
public:
    explicit NoticeTextFace(const NoticeFace* notice) : notice_(notice) {}

    bool isValid() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override;

private:
    const NoticeFace* notice_;
};

// Results spoken as they come. Qt 6.4 on Linux has no announcement event,
// and sends a changed name or description without its text, which Orca 43
// then fails to speak (measured); a notification that shows, it speaks with
// the label in it. It has no widget: nothing visible changes.
class NoticeFace : public NoticePart {
public:
    explicit NoticeFace(QWidget* window)
        : window_(window), text_(new NoticeTextFace(this)),
          textId_(QAccessible::registerAccessibleInterface(text_)) {}
    ~NoticeFace() override { QAccessible::deleteAccessibleInterface(textId_); }
    NoticeFace(const NoticeFace&) = delete;
    NoticeFace& operator=(const NoticeFace&) = delete;

    // Clients keep what they have read of an object: the change comes first,
    // then the words show, and last the notice, which is what is spoken.
    void tell(const QString& told) {
        told_ = told;
        QAccessibleEvent named(text_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent wordsShown(text_, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&wordsShown);
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
    const QString& told() const { return told_; }

    bool isValid() const override { return !window_.isNull(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(window_.data());
    }
    QAccessibleInterface* child(int index) const override { return index == 0 ? text_ : nullptr; }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child == text_ ? 0 : -1;
    }
    // The words are in the label only: as the description as well, they
    // would be spoken twice.
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? QString::fromUtf8(forms::spoken::results) : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = told_.isEmpty();
        return state;
    }

private:
    QPointer<QWidget> window_;
    QString told_;
    NoticeTextFace* text_; // owned by Qt's cache, deleted with this face
    QAccessible::Id textId_;
};

bool NoticeTextFace::isValid() const {
    return notice_->isValid();
}

QAccessibleInterface* NoticeTextFace::parent() const {
    return const_cast<NoticeFace*>(notice_);
}

QString NoticeTextFace::text(QAccessible::Text kind) const {
    return kind == QAccessible::Name ? notice_->told() : QString();
}

QAccessible::State NoticeTextFace::state() const {
    return notice_->state();
}

// A top-level widget of ours is a window, announced by its title when a
// user switches to it. Inside the scrolling frame of a small screen the
// calculator is no window any more, and the frame is. Its last child is the
// notice of its results.
class WindowFace : public QAccessibleWidget {
public:
    explicit WindowFace(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
    ~WindowFace() override {
        if (noticeId_ != 0) {
            QAccessible::deleteAccessibleInterface(noticeId_);
        }
    }
    WindowFace(const WindowFace&) = delete;
    WindowFace& operator=(const WindowFace&) = delete;

    QAccessible::Role role() const override {
        return widget() == nullptr || widget()->isWindow() ? QAccessible::Window
                                                           : QAccessible::Client;
    }

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        return index == QAccessibleWidget::childCount() ? notice()
                                                        : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child == notice_ ? QAccessibleWidget::childCount()
                                                    : QAccessibleWidget::indexOfChild(child);
    }

    NoticeFace* notice() const {
        if (notice_ == nullptr) {
            // Qt's cache owns it from here; it goes with this face.
            notice_ = new NoticeFace(widget());
            noticeId_ = QAccessible::registerAccessibleInterface(notice_);
        }
        return notice_;
    }

private:
    mutable NoticeFace* notice_ = nullptr;
    mutable QAccessible::Id noticeId_ = 0;
};

// A plain frame drawn as a line divides; Qt calls every plain frame a border.
class LineFace : public QAccessibleWidget {
public:
    explicit LineFace(QFrame* line) : QAccessibleWidget(line, QAccessible::Separator) {}

    QAccessible::Role role() const override {
        const auto* frame = static_cast<const QFrame*>(widget());
        const bool line = frame == nullptr || frame->frameShape() == QFrame::HLine ||
                          frame->frameShape() == QFrame::VLine;
        return line ? QAccessible::Separator : QAccessible::Border;
    }
};

// Asked before Qt's own factory, for each class of an object from the most
// derived up; nothing here is Qt's default for these objects.
QAccessibleInterface* faceFor(const QString& className, QObject* object) {
    if (auto* box = qobject_cast<qtface::PickComboBox*>(object)) {
        return qtface::PickComboBox::accessibleInterface(box);
    }
    if (auto* window = qobject_cast<FormWindow*>(object)) {
        return new WindowFace(window);
    }
    if (auto* diagram = qobject_cast<DiagramView*>(object)) {
        // Still in the tab order, so that its description can be read.
        return new QAccessibleWidget(diagram, QAccessible::Graphic);
    }
    if (className == QLatin1String("QFrame")) {
        return new LineFace(static_cast<QFrame*>(object));
    }
    if (className == QLatin1String("QScrollArea") && static_cast<QWidget*>(object)->isWindow()) {
        return new WindowFace(static_cast<QWidget*>(object));
    }
    return nullptr;
}

} // namespace

void installAccessibleFaces() {
    static const bool installed = [] {
        QAccessible::installFactory(faceFor);
        return true;
    }();
    Q_UNUSED(installed);
}

void describeForScreenReaders(QWidget* window, const forms::FormTable& form) {
    for (const forms::ControlEntry& entry : form.controls) {
        QWidget* control = child(window, entry.name);
        Q_ASSERT_X(control != nullptr, "describeForScreenReaders", entry.name);
        if (entry.captionLabel != nullptr) {
            auto* label = qobject_cast<QLabel*>(child(window, entry.captionLabel));
            Q_ASSERT_X(label != nullptr, "describeForScreenReaders", entry.captionLabel);
            label->setBuddy(control);
        }
        // The caption as spoken, not the label's text with its colon and
        // extra spaces, on which a face would fall back.
        const std::string name = forms::spokenNameOf(form, entry);
        if (!name.empty()) {
            control->setAccessibleName(QString::fromStdString(name));
        }
        if (entry.description != nullptr) {
            control->setAccessibleDescription(QString::fromUtf8(entry.description));
        }
    }
}

void tellResults(QWidget* button, const QString& told, const QString& description) {
    button->setAccessibleDescription(description);
    if (auto* window = dynamic_cast<WindowFace*>(
            QAccessible::queryAccessibleInterface(button->parentWidget()))) {
        window->notice()->tell(told);
    }
}

} // namespace qtface
