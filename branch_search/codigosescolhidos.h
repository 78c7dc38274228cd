#pragma once
// Keys of the rows marked in the branch search, in the order of the chosen list.
//
// Beside the ordered list sits a count per case-folded key, so that "is this key
// marked" is one hash look-up instead of a walk over the list: keys compare without
// regard to letter case.

#include <QHash>
#include <QString>
#include <vector>

class TCodigosEscolhidos {
public:
    int Count() const { return int(m_itens.size()); }
    const QString &operator[](int pos) const { return m_itens[size_t(pos)]; }
    const std::vector<QString> &Itens() const { return m_itens; }

    bool Contains(const QString &chave) const { return m_indice.contains(Dobra(chave)); }
    // First position of the key (case-insensitive), -1 when absent.
    int IndexOf(const QString &chave) const;

    void Insert(int pos, const QString &chave);
    void Delete(int pos);
    void Clear();
    // Bulk change that knows its difference: the new order of the items, the keys that
    // came in and those that went out. Only the difference touches the index.
    void Reorder(std::vector<QString> chaves, const std::vector<QString> &entraram,
                 const std::vector<QString> &sairam);

    // The form in which keys are compared.
    static QString Dobra(const QString &chave) { return chave.toCaseFolded(); }

private:
    void Conta(const QString &chave, int delta);

    std::vector<QString> m_itens;
    QHash<QString, int> m_indice;   // folded key -> occurrences in m_itens
};
