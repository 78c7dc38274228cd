#include "dialoganswerer.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>

DialogAnswerer::DialogAnswerer(QMessageBox::StandardButton button, QObject *parent)
    : QObject(parent)
    , m_button(button)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::Poll);
    m_timer.start();
}

DialogAnswerer::~DialogAnswerer() = default;

void DialogAnswerer::Clear()
{
    m_messages.clear();
    m_icons.clear();
    m_titles.clear();
    m_defaults.clear();
}

void DialogAnswerer::Poll()
{
    // Forget dialogs that are gone or closed: a dialog shown again is handled again.
    m_handled.erase(std::remove_if(m_handled.begin(), m_handled.end(),
                                   [](const QPointer<QWidget> &w) { return !w || !w->isVisible(); }),
                    m_handled.end());
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || m_handled.contains(modal))
        return;
    m_handled.append(modal);
    // Act after this slot returns: an action that opens another modal dialog must not
    // run inside the polling timer, which would then not fire for the new dialog.
    QPointer<QWidget> target = modal;
    QTimer::singleShot(0, this, [this, target] {
        if (!target)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(target.data()))
            Answer(box);
        else if (m_handler)
            m_handler(target);
    });
}

void DialogAnswerer::Answer(QMessageBox *box)
{
    m_messages.append(box->text());
    m_icons.append(box->icon());
    m_titles.append(box->windowTitle());
    m_defaults.append(box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton);
    const QMessageBox::StandardButton wanted = m_queued.isEmpty() ? m_button : m_queued.takeFirst();
    QAbstractButton *button = box->button(wanted);
    if (!button)
        button = box->defaultButton();
    if (!button)
        button = box->escapeButton();
    if (!button && !box->buttons().isEmpty())
        button = box->buttons().first();
    if (button)
        button->click();
    else
        box->reject();
}
