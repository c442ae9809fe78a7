#include "common/calculatorwindow.h"

#include "common/accessibility.h"
#include "common/formbuilder.h"
#include "platform/messagebox.h"
#include "platform/pickcombobox.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

namespace common {

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

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

CalculatorWindow::CalculatorWindow(const FormTable& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setFont(defaultFont());
    buildForm(this, form);
    setWindowIcon(programIcon());

    cmbHoek = control<platform::PickComboBox>("cmbHoek");
    txtHorVersleping = control<QLineEdit>("txtHorVersleping");
    cmdBereken = control<QPushButton>("cmdBereken");
    txtA = control<QLineEdit>("txtA");
    txtB = control<QLineEdit>("txtB");
    txtLengte = control<QLineEdit>("txtLengte");
    txtHoogte = control<QLineEdit>("txtHoogte");
    cmbHoek2 = control<platform::PickComboBox>("cmbHoek2");
    cmb1000 = control<platform::PickComboBox>("cmb1000");
    cmb500 = control<platform::PickComboBox>("cmb500");
    cmb250 = control<platform::PickComboBox>("cmb250");
    cmdBereken2 = control<QPushButton>("cmdBereken2");
    txtVerHor = control<QLineEdit>("txtVerHor");
    txtVerVerticaal = control<QLineEdit>("txtVerVerticaal");
}

void CalculatorWindow::fillLists(offsetcore::ItemList angles) {
    for (platform::PickComboBox* box : {cmbHoek, cmbHoek2}) {
        for (std::string_view item : angles) {
            box->addItem(fromUtf8(item));
        }
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    for (std::string_view item : offsetcore::sectionCountList()) {
        for (platform::PickComboBox* box : {cmb1000, cmb500, cmb250}) {
            box->addItem(fromUtf8(item));
        }
    }
    for (platform::PickComboBox* box : {cmb1000, cmb500, cmb250}) {
        box->setCurrentIndex(-1);
        box->setEditText(QStringLiteral("0"));
    }
}

void CalculatorWindow::showAndFocus() {
    // This window, or on a small screen the scrolling frame it sits in
    // (common/screenfit.h).
    QWidget* frame = window();
    const QScreen* screen =
        frame->screen() != nullptr ? frame->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        frame->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frame->size(),
                                               screen->availableGeometry()));
    }
    frame->show();
    cmbHoek->setFocus(Qt::OtherFocusReason);
}

void CalculatorWindow::warn(offsetcore::Problem problem) {
    const offsetcore::Message message = offsetcore::messageFor(problem);
    platform::MessageBox::show(this, fromUtf8(message.prompt), fromUtf8(message.title));
}

void CalculatorWindow::showPrintStatus(platform::PrintStatus status) {
    using offsetcore::Problem;
    switch (status) {
    case platform::PrintStatus::Printed:
    case platform::PrintStatus::Abandoned: // the window is gone, the program ending
        return;
    case platform::PrintStatus::NoPrinter:
        return warn(Problem::NoPrinter);
    case platform::PrintStatus::Failed:
        return warn(Problem::PrintFailed);
    case platform::PrintStatus::NoAnswer:
        return warn(Problem::PrinterNotAnswering);
    }
}

std::string CalculatorWindow::decimalSeparator() const {
    return locale().decimalPoint().toStdString();
}

std::string CalculatorWindow::text(const QLineEdit* box) {
    return box->text().toStdString();
}

std::string CalculatorWindow::text(const platform::PickComboBox* box) {
    return box->currentText().toStdString();
}

void CalculatorWindow::showLengths(const offsetcore::Outcome<offsetcore::LengthTexts>& outcome) {
    if (const auto* problem = std::get_if<offsetcore::Problem>(&outcome)) {
        return warn(*problem);
    }
    Bereken(std::get<offsetcore::LengthTexts>(outcome));
}

void CalculatorWindow::showOffsets(const offsetcore::Outcome<offsetcore::OffsetTexts>& outcome) {
    if (const auto* problem = std::get_if<offsetcore::Problem>(&outcome)) {
        return warn(*problem);
    }
    BerekenSecties(std::get<offsetcore::OffsetTexts>(outcome));
}

void CalculatorWindow::Bereken(const offsetcore::LengthTexts& results) {
    txtLengte->setText(QString::fromStdString(results.length));
    txtHoogte->setText(QString::fromStdString(results.vertical));
    txtA->setText(QString::fromStdString(results.a));
    txtB->setText(QString::fromStdString(results.b));
    tellResults(cmdBereken, {txtA, txtB, txtLengte, txtHoogte});
    heldBend_ = results.heldBend;
    lengthInputs_ = results.inputs;
}

void CalculatorWindow::BerekenSecties(const offsetcore::OffsetTexts& results) {
    txtVerHor->setText(QString::fromStdString(results.horizontal));
    txtVerVerticaal->setText(QString::fromStdString(results.vertical));
    tellResults(cmdBereken2, {txtVerHor, txtVerVerticaal});
    heldBend_ = results.heldBend;
}

} // namespace common
