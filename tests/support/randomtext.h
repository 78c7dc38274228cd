#pragma once
// Random texts for tests that check a structure against its plain definition: each
// text has up to maxLength characters drawn from the alphabet.

#include <QRandomGenerator>
#include <QString>

inline QString RandomText(QRandomGenerator &rng, const QString &alphabet, int maxLength)
{
    QString text;
    const int length = rng.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += alphabet.at(rng.bounded(int(alphabet.size())));
    return text;
}
