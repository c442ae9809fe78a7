#pragma once

#include <QComboBox>

namespace platform {

// An editable drop-down box in which only a person's pick from the list
// counts: a click in the popup, or the arrow keys on the closed box. Typed
// text never counts as a pick, not even a list item typed and confirmed with
// Enter or Tab (which QComboBox reports as activated), is never completed
// inline and is never added to the list.
class PickComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PickComboBox(QWidget* parent = nullptr);

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

} // namespace platform
