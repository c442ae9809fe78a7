#include "platform/pickcombobox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace platform {

PickComboBox::PickComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!confirmingTypedText_ && index >= 0) {
            emit picked(itemText(index));
        }
    });
}

void PickComboBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !view()->isVisible()) {
        // Enter on the closed box confirms typed text; it picks nothing and,
        // with no default button in our windows, presses nothing either.
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void PickComboBox::focusOutEvent(QFocusEvent* event) {
    confirmingTypedText_ = true;
    QComboBox::focusOutEvent(event);
    confirmingTypedText_ = false;
}

void PickComboBox::wheelEvent(QWheelEvent* event) {
    // Turning the wheel over a box would change its text without a pick.
    event->ignore();
}

} // namespace platform
