#include "common/calculatorwindow.h"

#include "common/formbuilder.h"
#include "offsetcore/numbertext.h"
#include "platform/messagebox.h"
#include "platform/pickcombobox.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QStyle>

namespace common {

namespace {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/icon-%1.png").arg(size), QSize(size, size));
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

QString wholeNumberText(double value) {
    return QString::fromStdString(offsetcore::formatWholeNumber(value));
}

} // namespace

CalculatorWindow::CalculatorWindow(const FormTable& form, const offsetcore::SystemProfile& profile,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      profile_(profile) {
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
            box->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
        }
        box->setCurrentIndex(-1);
        box->setEditText(QString());
    }
    for (std::string_view item : offsetcore::sectionCountList()) {
        for (platform::PickComboBox* box : {cmb1000, cmb500, cmb250}) {
            box->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
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

void CalculatorWindow::warn(const char* prompt, const char* title) {
    platform::MessageBox::show(this, QString::fromUtf8(prompt), QString::fromUtf8(title));
}

void CalculatorWindow::showPrintStatus(platform::PrintStatus status) {
    switch (status) {
    case platform::PrintStatus::Printed:
        return;
    case platform::PrintStatus::NoPrinter:
        return warn(prompts::noPrinter);
    case platform::PrintStatus::Failed:
        return warn(prompts::printFailed);
    case platform::PrintStatus::NoAnswer:
        return warn(prompts::printerNotAnswering);
    }
}

std::optional<double> CalculatorWindow::parseNumber(const QString& text) const {
    const QByteArray separator = locale().decimalPoint().toUtf8();
    const QByteArray utf8 = text.toUtf8();
    return offsetcore::parseNumber(std::string_view(utf8.data(), size_t(utf8.size())),
                                   std::string_view(separator.data(), size_t(separator.size())));
}

std::optional<double> CalculatorWindow::readNumber(const QString& text, const char* problem) {
    const auto value = parseNumber(text);
    if (!value) {
        warn(problem);
    }
    return value;
}

std::optional<offsetcore::SectionCounts> CalculatorWindow::readCounts() {
    offsetcore::SectionCounts counts;
    for (auto [box, count] : {std::pair{cmb1000, &counts.n1000}, std::pair{cmb500, &counts.n500},
                              std::pair{cmb250, &counts.n250}}) {
        const auto value = readNumber(box->currentText(), prompts::countNotANumber);
        if (!value) {
            return std::nullopt;
        }
        *count = *value;
    }
    return counts;
}

void CalculatorWindow::Bereken(double angle, double offset, offsetcore::BendDimensions row) {
    const auto lengths = offsetcore::lengthsFromOffset(profile_, angle, offset, row);
    if (!lengths) {
        return warn(prompts::resultTooLarge);
    }
    heldBend_ = row;
    const QString marker = QString::fromUtf8(offsetcore::negativeMarker.data(),
                                             qsizetype(offsetcore::negativeMarker.size()));
    txtLengte->setText(lengths->negative ? marker : wholeNumberText(lengths->length));
    txtHoogte->setText(lengths->negative ? marker : wholeNumberText(lengths->vertical));
    txtA->setText(wholeNumberText(row.a));
    txtB->setText(wholeNumberText(row.b));
}

void CalculatorWindow::BerekenSecties(double angle, const offsetcore::SectionCounts& counts,
                                      offsetcore::BendDimensions row) {
    const auto offsets = offsetcore::offsetsFromSections(profile_, angle, counts, row);
    if (!offsets) {
        return warn(prompts::resultTooLarge);
    }
    heldBend_ = row;
    txtVerHor->setText(wholeNumberText(offsets->horizontal));
    txtVerVerticaal->setText(wholeNumberText(offsets->vertical));
}

} // namespace common
