#include "qt/formbuilder.h"

#include "qt/accessibility.h"
#include "qt/diagramview.h"
#include "qt/pickcombobox.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qtface {

namespace {

QWidget* createControl(const forms::ControlEntry& entry, QWidget* window) {
    const QString text = QString::fromUtf8(entry.text);
    switch (entry.kind) {
    case forms::ControlKind::Label:
    case forms::ControlKind::NoteLabel: {
        auto* label = new QLabel(text, window);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (entry.kind == forms::ControlKind::NoteLabel) {
            QFont font(QStringLiteral("Times New Roman"));
            font.setPointSizeF(8.25);
            font.setWeight(QFont::Normal);
            label->setFont(font);
        }
        return label;
    }
    case forms::ControlKind::ComboBox: {
        auto* box = new qtface::PickComboBox(window);
        box->setEditText(text);
        return box;
    }
    case forms::ControlKind::TextBox:
    case forms::ControlKind::OutputBox: {
        auto* edit = new QLineEdit(text, window);
        edit->setReadOnly(entry.kind == forms::ControlKind::OutputBox);
        return edit;
    }
    case forms::ControlKind::Button: {
        auto* button = new QPushButton(text, window);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case forms::ControlKind::Picture:
        return new DiagramView(QStringLiteral(":/diagrams/") + text, window);
    case forms::ControlKind::Line: {
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

void buildForm(QWidget* window, const forms::FormTable& form) {
    installAccessibleFaces();
    window->setObjectName(QString::fromUtf8(form.name));
    window->setWindowTitle(QString::fromUtf8(form.caption));
    window->setFixedSize(forms::twipsToPixels(form.clientWidth), forms::twipsToPixels(form.clientHeight));

    for (const forms::ControlEntry& entry : form.controls) {
        QWidget* control = createControl(entry, window);
        control->setObjectName(QString::fromUtf8(entry.name));
        // A line is one pixel high whatever its table height.
        const int height = entry.kind == forms::ControlKind::Line ? 1 : forms::twipsToPixels(entry.height);
        control->setGeometry(forms::twipsToPixels(entry.left), forms::twipsToPixels(entry.top),
                             forms::twipsToPixels(entry.width), height);
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

} // namespace qtface
