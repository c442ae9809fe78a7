#pragma once

#include <QComboBox>

class QAccessibleInterface;

namespace qtface {

// An editable drop-down box in which only a person's pick from the list
// counts: a click in the popup, or the arrow keys on the closed box. Typed
// text never counts as a pick, not even a list item typed and confirmed with
// Enter or Tab (which QComboBox reports as activated), is never completed
// inline and is never added to the list.
class PickComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PickComboBox(QWidget* parent = nullptr);

    // A pick through assistive technology (a screen reader, voice control)
    // acting on the box's accessible value or its step actions: it counts
    // as a pick with the arrow keys does. An index outside the list picks
    // nothing.
    void pickAt(int index);

    // What assistive technology sees of the box: named by its caption
    // whatever it shows, the shown text as its value, the list items as
    // numbers to pick from. Given to Qt by an accessibility factory
    // (qt/accessibility.cpp).
    static QAccessibleInterface* accessibleInterface(PickComboBox* box);

signals:
    void picked(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // Set while QComboBox handles a typed text being confirmed; its activated
    // signal is then no pick.
    bool confirmingTypedText_ = false;
};

} // namespace qtface
