#pragma once
// Driving the host's screens as a user does, for the end-to-end tests.

#include <QString>
#include <QStringList>

class QWidget;

// Clicks the button of that object name inside the widget (a failed check when absent).
void ClickNamed(QWidget *owner, const char *name);
// In the host's open list search, marks the rows whose key is among `keys` with Space
// and confirms with OK.
void PickInListSearch(QWidget *dialog, const QString &keyField, const QStringList &keys);
