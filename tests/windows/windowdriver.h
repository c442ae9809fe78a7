#pragma once

// Finds a window's controls by name and works them as a person would, for
// the window tests.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

class WindowDriver {
protected:
    void drive(QWidget* window) { driven_ = window; }

    template <typename T> T* find(const char* name) const {
        auto* control = driven_->findChild<T*>(QString::fromUtf8(name));
        if (control == nullptr) {
            qFatal("no control %s", name);
        }
        return control;
    }
    QComboBox* combo(const char* name) const { return find<QComboBox>(name); }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(name); }
    QString text(const char* name) const { return edit(name)->text(); }
    void click(const char* name) const {
        QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton);
    }
    void setCombo(const char* name, const QString& value) const { combo(name)->setEditText(value); }

    // Picks an item as a person would with the arrow keys on the closed box:
    // from the item next to it onto it.
    void pick(const char* name, const QString& item) const {
        QComboBox* box = combo(name);
        const int index = box->findText(item);
        QVERIFY2(index >= 0, qPrintable(item + " is not offered in " + name));
        const bool fromBelow = index + 1 < box->count();
        box->setFocus();
        box->setCurrentIndex(fromBelow ? index + 1 : index - 1);
        QTest::keyClick(box, fromBelow ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(box->currentText(), item);
    }

    static QStringList itemsOf(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }

private:
    QWidget* driven_ = nullptr;
};
