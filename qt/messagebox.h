#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace qtface {

// A modal box with a prompt, a title, one OK button and no icon. Windows call
// this, never QMessageBox, so that tests can record what would be shown.
class MessageBox {
public:
    static void show(QWidget* parent, const QString& prompt, const QString& title);

    struct Message {
        QString prompt;
        QString title;
        friend bool operator==(const Message&, const Message&) = default;
    };

    // While a Recorder lives, messages are recorded instead of shown. Scoped,
    // so that a failing test cannot leave it installed for the next one.
    class Recorder {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        const QList<Message>& messages() const { return messages_; }
        void clear() { messages_.clear(); }

    private:
        friend class MessageBox;
        QList<Message> messages_;
        Recorder* previous_;
    };

private:
    static Recorder* recorder_;
};

} // namespace qtface
