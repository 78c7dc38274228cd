#include "codigosescolhidos.h"

int TCodigosEscolhidos::IndexOf(const QString &chave) const
{
    if (!Contains(chave))
        return -1;
    for (size_t i = 0; i < m_itens.size(); ++i)
        if (m_itens[i].compare(chave, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

void TCodigosEscolhidos::Insert(int pos, const QString &chave)
{
    m_itens.insert(m_itens.begin() + pos, chave);
    Conta(chave, +1);
}

void TCodigosEscolhidos::Delete(int pos)
{
    Conta(m_itens[size_t(pos)], -1);
    m_itens.erase(m_itens.begin() + pos);
}

void TCodigosEscolhidos::Clear()
{
    std::vector<QString>().swap(m_itens);
    m_indice = QHash<QString, int>();
}

void TCodigosEscolhidos::Reorder(std::vector<QString> chaves, const std::vector<QString> &entraram,
                                 const std::vector<QString> &sairam)
{
    m_itens = std::move(chaves);
    m_indice.reserve(qsizetype(m_itens.size()));
    for (const QString &chave : sairam)
        Conta(chave, -1);
    for (const QString &chave : entraram)
        Conta(chave, +1);
}

void TCodigosEscolhidos::Conta(const QString &chave, int delta)
{
    const QString dobrada = Dobra(chave);
    int &n = m_indice[dobrada];
    n += delta;
    if (n <= 0)
        m_indice.remove(dobrada);
}
