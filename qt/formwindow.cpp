#include "qt/formwindow.h"

#include "qt/accessibility.h"
#include "qt/formbuilder.h"
#include "qt/messagebox.h"
#include "qt/pickcombobox.h"
#include "qt/qtprinter.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include <new>
#include <optional>

namespace qtface {

namespace {

// Read as PNG and nothing else: left to find the format itself, Qt loads
// every image format plugin it has (JPEG, GIF, ICO, SVG) to ask each whether
// it reads a PNG, which costs a quarter of a megabyte at every start.
QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QImageReader reader(QStringLiteral(":/icons/icon-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// The window's default font: a plain sans serif at 8 points, the size the
// control table was laid out for. Larger UI fonts make the captions wrap
// beyond their labels.
QFont defaultFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string toUtf8(const QString& text) {
    return text.toStdString();
}

} // namespace

FormWindow::FormWindow(std::unique_ptr<forms::Presenter> presenter,
                       std::shared_ptr<forms::Printer> printer,
                       std::chrono::milliseconds answerLimit, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      presenter_(std::move(presenter)),
      printFlow_(std::move(printer), waiter_, QDir::tempPath().toStdString(), answerLimit) {
    const forms::FormTable& form = presenter_->form();
    setFont(defaultFont());
    buildForm(this, form);
    setWindowIcon(programIcon());

    for (const forms::ControlEntry& entry : form.controls) {
        QWidget* widget = control(entry.name);
        const char* name = entry.name;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, name] { clicked(name); });
        } else if (auto* box = qobject_cast<PickComboBox*>(widget)) {
            connect(box, &PickComboBox::picked, this,
                    [this, name](const QString& item) { picked(name, item); });
        }
    }
    if (form.closeButton != nullptr) {
        letThroughWhilePrinting(control(form.closeButton));
    }
}

FormWindow::~FormWindow() = default;

void FormWindow::load() {
    carryOut(presenter_->load());
}

forms::Shown FormWindow::shown() const {
    forms::Shown texts;
    for (const forms::ControlEntry& entry : presenter_->form().controls) {
        QWidget* widget = control(entry.name);
        if (const auto* box = qobject_cast<const QComboBox*>(widget)) {
            texts.emplace(entry.name, toUtf8(box->currentText()));
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            texts.emplace(entry.name, toUtf8(edit->text()));
        }
    }
    return texts;
}

std::string FormWindow::decimalSeparator() {
    return toUtf8(QLocale().decimalPoint());
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The close box: whatever the presenter answers, a window asked to close
    // by its user closes only when the answer ends the program.
    const forms::Answer answer = presenter_->close();
    const bool ends = std::any_of(answer.begin(), answer.end(), [](const forms::Action& action) {
        return std::holds_alternative<forms::End>(action);
    });
    if (ends) {
        event->accept();
    } else {
        event->ignore();
        carryOut(answer);
    }
}

void FormWindow::clicked(const char* control) {
    carryOut(presenter_->click(control, shown()));
}

void FormWindow::picked(const char* control, const QString& item) {
    carryOut(presenter_->pick(control, toUtf8(item)));
}

void FormWindow::carryOut(const forms::Answer& answer) {
    for (const forms::Action& action : answer) {
        carryOut(action);
    }
}

void FormWindow::carryOut(const forms::Action& action) {
    struct Carrier {
        FormWindow& window;

        void operator()(const forms::SetText& set) const {
            if (auto* edit = qobject_cast<QLineEdit*>(window.control(set.control))) {
                edit->setText(fromUtf8(set.text));
            } else if (auto* box = qobject_cast<QComboBox*>(window.control(set.control))) {
                box->setEditText(fromUtf8(set.text));
            }
        }
        void operator()(const forms::FillList& fill) const {
            auto* box = qobject_cast<QComboBox*>(window.control(fill.control));
            box->clear();
            for (const std::string& item : fill.items) {
                box->addItem(fromUtf8(item));
            }
            box->setCurrentIndex(-1);
            box->setEditText(fromUtf8(fill.text));
        }
        void operator()(const forms::Enable& enable) const {
            window.control(enable.control)->setEnabled(enable.enabled);
        }
        void operator()(const forms::ShowMessage& message) const {
            MessageBox::show(&window, fromUtf8(message.prompt), fromUtf8(message.title));
        }
        void operator()(const forms::TellResults& tell) const {
            tellResults(window.control(tell.button), fromUtf8(tell.told),
                        fromUtf8(tell.description));
        }
        void operator()(const forms::ShowWindow& show) const { window.showAndFocus(show.focus); }
        void operator()(const forms::PrintReport& report) const {
            window.carryOut(window.presenter_->printed(
                window.printFlow_.printReport(report.text, report.family, report.pointSize)));
        }
        void operator()(const forms::PrintWindowImage&) const {
            window.carryOut(window.presenter_->printed(window.printImage()));
        }
        void operator()(const forms::End&) const { window.close(); }
    };
    std::visit(Carrier{*this}, action);
}

forms::PrintOutcome FormWindow::printImage() {
    try {
        return printFlow_.printImage(windowImage(*this));
    } catch (const std::bad_alloc&) {
        // Too little memory for the image: it is not printed, the program
        // goes on.
        return forms::PrintOutcome::Failed;
    }
}

QWidget* FormWindow::control(const std::string& name) const {
    auto* found = findChild<QWidget*>(fromUtf8(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(found != nullptr, "FormWindow::control", name.c_str());
    return found;
}

void FormWindow::showAndFocus(const std::string& focus) {
    // This window, or on a small screen the scrolling frame it sits in
    // (qt/screenfit.h).
    QWidget* frame = window();
    const QScreen* screen =
        frame->screen() != nullptr ? frame->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        frame->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frame->size(),
                                               screen->availableGeometry()));
    }
    frame->show();
    control(focus)->setFocus(Qt::OtherFocusReason);
}

} // namespace qtface
