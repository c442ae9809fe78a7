#include "qt/pickcombobox.h"

#include <QAbstractItemView>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

#include <optional>

namespace qtface {

namespace {

// On Linux, Qt's own face of a combo box takes the text it shows as its
// name: a screen reader then calls an angle box "30" and every count box
// "0", and the caption is only reachable through the labelled-by relation.
// This face keeps the caption as the name and gives the shown text as the
// value. Its children are Qt's: the list and the line edit, in which
// Linux screen readers read what an editable box shows.
//
// Qt 6.4 exports no Selection for a combo box or its list, so the list
// cannot be picked from over AT-SPI; the value and the step actions can.
// Every item of our lists is a whole number (an angle, a diameter, a count),
// so the value is that number.
class PickComboBoxAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit PickComboBoxAccessible(PickComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return box()->currentText();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view()->isVisible();
        state.editable = box()->isEditable();
        return state;
    }

    int childCount() const override { return box()->lineEdit() != nullptr ? 2 : 1; }

    QAccessibleInterface* child(int index) const override {
        if (index == 0) {
            return QAccessible::queryAccessibleInterface(box()->view());
        }
        if (index == 1 && box()->lineEdit() != nullptr) {
            return QAccessible::queryAccessibleInterface(box()->lineEdit());
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        if (child->object() == box()->view()) {
            return 0;
        }
        if (box()->lineEdit() != nullptr && child->object() == box()->lineEdit()) {
            return 1;
        }
        return -1;
    }

    // In screen coordinates, as the caller gives them.
    QAccessibleInterface* childAt(int x, int y) const override {
        const QLineEdit* edit = box()->lineEdit();
        if (edit != nullptr && edit->isVisible() &&
            QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y)) {
            return child(1);
        }
        return nullptr;
    }

    // The box is the focus proxy of its line edit, which therefore never has
    // the focus itself; it is where the typing goes.
    QAccessibleInterface* focusChild() const override {
        return box()->lineEdit() != nullptr ? child(1) : nullptr;
    }

    // Opening the list, and a step to the next or previous item: what
    // Alt+Down, Down and Up do on the closed box.
    QStringList actionNames() const override {
        return {showMenuAction(), pressAction(), increaseAction(), decreaseAction()};
    }

    void doAction(const QString& name) override {
        PickComboBox* pickBox = box();
        if (!pickBox->isEnabled()) {
            return;
        }
        if (name == showMenuAction() || name == pressAction()) {
            if (pickBox->view()->isVisible()) {
                pickBox->hidePopup();
            } else {
                pickBox->showPopup();
            }
        } else if (name == increaseAction()) {
            pickBox->pickAt(pickBox->currentIndex() + 1);
        } else if (name == decreaseAction()) {
            pickBox->pickAt(pickBox->currentIndex() - 1);
        }
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == showMenuAction() || name == pressAction()) {
            return {QKeySequence(Qt::ALT | Qt::Key_Down).toString()};
        }
        if (name == increaseAction()) {
            return {QKeySequence(Qt::Key_Down).toString()};
        }
        if (name == decreaseAction()) {
            return {QKeySequence(Qt::Key_Up).toString()};
        }
        return {};
    }

    // The item shown, as its number; nothing while the box shows a text
    // that is not an item of its list.
    QVariant currentValue() const override {
        const int index = box()->findText(box()->currentText(), Qt::MatchExactly);
        const auto number = itemNumber(index);
        return number ? QVariant(*number) : QVariant();
    }

    // Picks the item of that number; a number that is not in the list picks
    // nothing, just as typing it would not.
    void setCurrentValue(const QVariant& value) override {
        bool ok = false;
        const double wanted = value.toDouble(&ok);
        if (!ok || !box()->isEnabled()) {
            return;
        }
        for (int index = 0; index < box()->count(); ++index) {
            if (itemNumber(index) == wanted) {
                box()->pickAt(index);
                return;
            }
        }
    }

    QVariant minimumValue() const override { return extreme(false); }
    QVariant maximumValue() const override { return extreme(true); }
    // None: the items are not evenly spaced; the step actions go from item
    // to item.
    QVariant minimumStepSize() const override { return {}; }

private:
    PickComboBox* box() const { return static_cast<PickComboBox*>(widget()); }

    std::optional<int> itemNumber(int index) const {
        if (index < 0 || index >= box()->count()) {
            return std::nullopt;
        }
        bool ok = false;
        const int number = box()->itemText(index).toInt(&ok);
        return ok ? std::optional<int>(number) : std::nullopt;
    }

    QVariant extreme(bool largest) const {
        std::optional<int> found;
        for (int index = 0; index < box()->count(); ++index) {
            const auto number = itemNumber(index);
            if (number && (!found || (largest ? *number > *found : *number < *found))) {
                found = number;
            }
        }
        return found ? QVariant(*found) : QVariant();
    }
};

} // namespace

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

void PickComboBox::pickAt(int index) {
    if (index < 0 || index >= count() || !isEnabled()) {
        return;
    }
    // Also over a text typed since: the item shows again.
    setCurrentIndex(index);
    emit picked(itemText(index));
}

QAccessibleInterface* PickComboBox::accessibleInterface(PickComboBox* box) {
    return new PickComboBoxAccessible(box);
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

} // namespace qtface
