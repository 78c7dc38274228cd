#pragma once
// The chosen list of the branch search: one entry text per marked row, kept sorted
// the way a sorted list box sorts (alphabetical order without regard to letter case,
// a new entry before equal ones), with the rows' keys kept at the same positions in
// CodigosEscolhidos.
// Every change goes through this class, so entry i and key i always belong together.

#include <QAbstractListModel>
#include <QSet>
#include <QString>
#include <vector>

class TCodigosEscolhidos;

// An entry of the chosen list and the key of its row.
struct TEscolha {
    QString entrada;
    QString chave;
};

class TModeloEscolhidos : public QAbstractListModel {
    Q_OBJECT
public:
    TModeloEscolhidos(TCodigosEscolhidos &codigos, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    int Count() const { return int(m_entradas.size()); }
    const QString &Entrada(int pos) const { return m_entradas[size_t(pos)]; }

    // Inserts one entry at its sorted place and its key at the same position.
    // Returns that position.
    int Insere(const QString &entrada, const QString &chave);
    // Inserts entries in the order given as if one after the other: one sort, one merge.
    void InsereVarias(std::vector<TEscolha> novas);
    // Removes entry and key at the position.
    void RemovePosicao(int pos);
    // Removes the entry of a chosen key: the entry text locates it by binary search;
    // when the text does not lead to the key (the row changed since it was marked),
    // the key's own position is used. False when the key is not chosen.
    bool RemoveChave(const QString &chave, const QString &entrada);
    // Removes every entry whose key, case-folded, is in the set.
    void RemoveChaves(const QSet<QString> &chavesDobradas);
    void Limpa();

    // The list box's order: Brazilian Portuguese collation without regard to letter
    // case, the same whatever locale the process runs under (under the C locale a
    // locale-aware comparison is a case-sensitive byte order). Negative, zero or
    // positive as a comes before, with, or after b.
    static int Compara(const QString &a, const QString &b);
    static bool Antes(const QString &a, const QString &b) { return Compara(a, b) < 0; }

private:
    int PosicaoOrdenada(const QString &entrada) const;
    void Substitui(std::vector<QString> entradas, std::vector<QString> chaves,
                   const std::vector<QString> &entraram, const std::vector<QString> &sairam);

    std::vector<QString> m_entradas;
    TCodigosEscolhidos &m_codigos;
};
