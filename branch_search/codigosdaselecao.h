#pragma once
// The codes that a selection string "_A_B_" names. A code counts as named when "_",
// the code and "_" occur anywhere in the text, so for a code with m underscores of its
// own the candidates are the pieces of text that run from one underscore of the
// selection string to the (m+1)-th next one. The candidates of each such span are
// gathered once into a hash set; asking for a code is then one look-up, whatever the
// length of the string.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>
#include <vector>

class TCodigosDaSelecao {
public:
    // The text must outlive this object: the sets hold views into it.
    explicit TCodigosDaSelecao(const QString &selecao);

    bool Contem(const QString &codigo);

private:
    const QSet<QStringView> &Candidatos(int sublinhadosDoCodigo);

    QStringView m_selecao;
    std::vector<qsizetype> m_sublinhados;        // positions of '_' in the text
    QHash<int, QSet<QStringView>> m_porVao;      // codes with m underscores -> candidates
};
