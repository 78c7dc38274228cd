#pragma once
// Answers modal dialogs in tests. Polls QApplication::activeModalWidget() from a timer
// that also runs inside nested modal loops; each new modal widget is handled once:
// a QMessageBox has its text recorded and the chosen button pressed, any other dialog
// goes to the handler (when set), which drives it with QTest events.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

class DialogAnswerer : public QObject {
    Q_OBJECT
public:
    using DialogHandler = std::function<void(QWidget *dialog)>;

    // Starts polling at once; message boxes are answered with `button` (the box's
    // default or escape button when it has no such button).
    explicit DialogAnswerer(QMessageBox::StandardButton button = QMessageBox::Ok,
                            QObject *parent = nullptr);
    ~DialogAnswerer() override;

    // Answer for the message boxes that come from now on.
    void SetMessageButton(QMessageBox::StandardButton button) { m_button = button; }
    // Answers for the next message boxes, one each, in order; after them the button
    // above answers (e.g. {Yes} for a question, then Ok for the message that follows).
    void QueueMessageButtons(const QList<QMessageBox::StandardButton> &buttons) { m_queued += buttons; }
    // Handler for modal widgets that are not message boxes (nullptr: left alone).
    void SetDialogHandler(DialogHandler handler) { m_handler = std::move(handler); }

    // Texts of the message boxes answered so far, oldest first.
    QStringList Messages() const { return m_messages; }
    // Icons of those boxes, in the same order.
    QList<QMessageBox::Icon> Icons() const { return m_icons; }
    // Window titles of those boxes, in the same order.
    QStringList Titles() const { return m_titles; }
    // The button each of those boxes had as default (Enter), NoButton when none.
    QList<QMessageBox::StandardButton> DefaultButtons() const { return m_defaults; }
    void Clear();

private:
    void Poll();
    void Answer(QMessageBox *box);

    QTimer m_timer;
    QMessageBox::StandardButton m_button;
    QList<QMessageBox::StandardButton> m_queued;
    DialogHandler m_handler;
    QList<QPointer<QWidget>> m_handled;
    QStringList m_messages;
    QList<QMessageBox::Icon> m_icons;
    QStringList m_titles;
    QList<QMessageBox::StandardButton> m_defaults;
};
