#pragma once
// Message table: a screen's lines "key|text"; Msg returns the text of a key.

#include "hostlib_export.h"

#include <QObject>
#include <QStringList>

class HOSTLIB_EXPORT TMessages : public QObject {
    Q_OBJECT
public:
    explicit TMessages(QObject *parent = nullptr);
    QStringList Lines() const { return m_lines; }
    void SetLines(const QStringList &lines) { m_lines = lines; }
    // Text after the first "|" of the line whose key matches. An unknown key raises
    // EHostError naming the key (a programming error that must not pass silently).
    QString Msg(const QString &key) const;
private:
    QStringList m_lines;
};
