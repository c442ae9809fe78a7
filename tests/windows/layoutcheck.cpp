#include "layoutcheck.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

namespace layoutcheck {

namespace {

using Kind = forms::ControlKind;

QString describe(const forms::ControlEntry& e) {
    return QString::fromUtf8(e.name);
}

// At 96 dots per inch, in Qt's logical pixels: a scaled screen scales them.
QRect expectedGeometry(const forms::ControlEntry& e) {
    const int height = e.kind == Kind::Line ? 1 : e.height / 15;
    return {e.left / 15, e.top / 15, e.width / 15, height};
}

// The text a control shows, and whether it is of the expected kind.
bool kindAndText(QWidget* control, Kind kind, QString* text) {
    switch (kind) {
    case Kind::Label:
    case Kind::NoteLabel:
        if (auto* label = qobject_cast<QLabel*>(control)) {
            *text = label->text();
            return label->focusPolicy() == Qt::NoFocus;
        }
        return false;
    case Kind::ComboBox:
        if (auto* box = qobject_cast<QComboBox*>(control)) {
            *text = box->currentText();
            return box->isEditable() && box->insertPolicy() == QComboBox::NoInsert &&
                   box->completer() == nullptr;
        }
        return false;
    case Kind::TextBox:
    case Kind::OutputBox:
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            *text = edit->text();
            const bool takesTab = (edit->focusPolicy() & Qt::TabFocus) != 0;
            return edit->isReadOnly() == (kind == Kind::OutputBox) && takesTab;
        }
        return false;
    case Kind::Button:
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            *text = button->text();
            return !button->isDefault() && !button->autoDefault();
        }
        return false;
    case Kind::Picture:
        text->clear();
        return control->inherits("qtface::DiagramView");
    case Kind::Line:
        text->clear();
        if (auto* frame = qobject_cast<QFrame*>(control)) {
            return frame->frameShape() == QFrame::HLine && frame->focusPolicy() == Qt::NoFocus;
        }
        return false;
    }
    return false;
}

QWidget* controlOf(QWidget* window, QWidget* focus) {
    while (focus != nullptr && focus->parentWidget() != window) {
        focus = focus->parentWidget();
    }
    return focus;
}

} // namespace

void verifyLayout(QWidget* window, const forms::FormTable& form) {
    QSet<QString> listed;
    for (const forms::ControlEntry& e : form.controls) {
        listed.insert(describe(e));
        auto* control = window->findChild<QWidget*>(describe(e), Qt::FindDirectChildrenOnly);
        QVERIFY2(control != nullptr, qPrintable(describe(e) + " is missing"));
        QString text;
        QVERIFY2(kindAndText(control, e.kind, &text),
                 qPrintable(describe(e) + " is not of its kind"));
        if (e.kind != Kind::Picture && e.kind != Kind::Line) {
            QCOMPARE(text, QString::fromUtf8(e.text));
        }
        QVERIFY2(control->geometry() == expectedGeometry(e),
                 qPrintable(describe(e) + " is misplaced"));
    }
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->objectName().isEmpty() && !child->isWindow()) {
            QVERIFY2(listed.contains(child->objectName()),
                     qPrintable(child->objectName() + " is not in the table"));
        }
    }
}

void verifyWindowFrame(QWidget* window, const forms::FormTable& form) {
    QCOMPARE(window->objectName(), QString::fromUtf8(form.name));
    QCOMPARE(window->windowTitle(), QString::fromUtf8(form.caption));
    QCOMPARE(window->size(), QSize(750, 627));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    // Every size drawn, so that no desktop scales the icon from another.
    QCOMPARE(window->windowIcon().availableSizes(),
             (QList<QSize>{QSize(16, 16), QSize(32, 32), QSize(48, 48)}));
    const QPoint offCentre =
        window->geometry().center() - window->screen()->availableGeometry().center();
    QVERIFY(offCentre.manhattanLength() <= 2);
}

void verifyTabOrder(QWidget* window, std::span<const char* const> order) {
    auto* first = window->findChild<QWidget*>(QString::fromUtf8(order.front()));
    QVERIFY(first != nullptr);
    first->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(controlOf(window, QApplication::focusWidget()), first);
    for (size_t i = 1; i <= order.size(); ++i) {
        const char* expected = order[i % order.size()];
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = controlOf(window, QApplication::focusWidget());
        QVERIFY2(now != nullptr, "the focus left the window");
        QCOMPARE(now->objectName(), QString::fromUtf8(expected));
    }
}

} // namespace layoutcheck
