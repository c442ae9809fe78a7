#include "common/formbuilder.h"

#include "common/accessibility.h"
#include "common/diagramview.h"
#include "platform/pickcombobox.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace common {

namespace {

QWidget* createControl(const ControlEntry& entry, QWidget* window) {
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
    case ControlKind::Label:
    case ControlKind::NoteLabel: {
        auto* label = new QLabel(text, window);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (entry.kind == ControlKind::NoteLabel) {
            QFont font(QStringLiteral("Times New Roman"));
            font.setPointSizeF(8.25);
            font.setWeight(QFont::Normal);
            label->setFont(font);
        }
        return label;
    }
    case ControlKind::ComboBox: {
        auto* box = new platform::PickComboBox(window);
        box->setEditText(text);
        return box;
    }
    case ControlKind::TextBox:
    case ControlKind::OutputBox: {
        auto* edit = new QLineEdit(text, window);
        edit->setReadOnly(entry.kind == ControlKind::OutputBox);
        return edit;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, window);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case ControlKind::Picture:
        return new DiagramView(text, window);
    case ControlKind::Line: {
        auto* line = new QFrame(window);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Plain);
        line->setLineWidth(1);
        return line;
    }
    }
    return nullptr;
}

} // namespace

void buildForm(QWidget* window, const FormTable& form) {
    installAccessibleFaces();
    window->setObjectName(QString::fromUtf8(form.name));
    window->setWindowTitle(QString::fromUtf8(form.caption));
    window->setFixedSize(twipsToPixels(form.clientWidth), twipsToPixels(form.clientHeight));

    for (const ControlEntry& entry : form.controls) {
        QWidget* control = createControl(entry, window);
        control->setObjectName(QString::fromUtf8(entry.name));
        // A line is one pixel high whatever its table height.
        const int height = entry.kind == ControlKind::Line ? 1 : twipsToPixels(entry.height);
        control->setGeometry(twipsToPixels(entry.left), twipsToPixels(entry.top),
                             twipsToPixels(entry.width), height);
    }

    QWidget* previous = nullptr;
    for (const char* name : form.tabOrder) {
        auto* control =
            window->findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
        Q_ASSERT_X(control != nullptr, "buildForm", name);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    // Close the ring: Tab on the last control goes back to the first.
    if (previous != nullptr && !form.tabOrder.empty()) {
        QWidget::setTabOrder(previous,
                             window->findChild<QWidget*>(QString::fromUtf8(form.tabOrder.front()),
                                                         Qt::FindDirectChildrenOnly));
    }
    describeForScreenReaders(window, form);
}

} // namespace common
