#include "qt/messagebox.h"

#include <QMessageBox>

namespace qtface {

MessageBox::Recorder* MessageBox::recorder_ = nullptr;

MessageBox::Recorder::Recorder() : previous_(MessageBox::recorder_) {
    MessageBox::recorder_ = this;
}

MessageBox::Recorder::~Recorder() {
    MessageBox::recorder_ = previous_;
}

void MessageBox::show(QWidget* parent, const QString& prompt, const QString& title) {
    if (recorder_ != nullptr) {
        recorder_->messages_.append({prompt, title});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace qtface
