#include "common/accessibility.h"

#include "common/formtable.h"

#include <QLabel>
#include <QWidget>

namespace common {

namespace {

QWidget* child(QWidget* window, const char* name) {
    return window->findChild<QWidget*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
}

// "Verticale    versleping in mm:" is read as "Verticale versleping in mm".
QString spokenCaption(const QString& caption) {
    QString text = caption.simplified();
    while (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

} // namespace

void describeForScreenReaders(QWidget* window, const FormTable& form) {
    for (const ControlEntry& entry : form.controls) {
        QWidget* control = child(window, entry.name);
        Q_ASSERT_X(control != nullptr, "describeForScreenReaders", entry.name);
        if (entry.captionLabel != nullptr) {
            auto* label = qobject_cast<QLabel*>(child(window, entry.captionLabel));
            Q_ASSERT_X(label != nullptr, "describeForScreenReaders", entry.captionLabel);
            label->setBuddy(control);
            // A combo box would otherwise be announced by the value it shows.
            control->setAccessibleName(spokenCaption(label->text()));
        }
        if (entry.spokenName != nullptr) {
            control->setAccessibleName(QString::fromUtf8(entry.spokenName));
        }
        if (entry.description != nullptr) {
            control->setAccessibleDescription(QString::fromUtf8(entry.description));
        }
    }
}

} // namespace common
