#include "modeloescolhidos.h"

#include "codigosescolhidos.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

int TModeloEscolhidos::Compara(const QString &a, const QString &b)
{
    // One collator per thread: QCollator is not safe to share across threads.
    static thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Portuguese, QLocale::Brazil));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator.compare(a, b);
}

TModeloEscolhidos::TModeloEscolhidos(TCodigosEscolhidos &codigos, QObject *parent)
    : QAbstractListModel(parent), m_codigos(codigos)
{
}

int TModeloEscolhidos::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant TModeloEscolhidos::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Entrada(index.row());
    return QVariant();
}

int TModeloEscolhidos::PosicaoOrdenada(const QString &entrada) const
{
    return int(std::lower_bound(m_entradas.begin(), m_entradas.end(), entrada, Antes)
               - m_entradas.begin());
}

int TModeloEscolhidos::Insere(const QString &entrada, const QString &chave)
{
    const int pos = PosicaoOrdenada(entrada);
    beginInsertRows(QModelIndex(), pos, pos);
    m_entradas.insert(m_entradas.begin() + pos, entrada);
    m_codigos.Insert(pos, chave);
    endInsertRows();
    return pos;
}

void TModeloEscolhidos::InsereVarias(std::vector<TEscolha> novas)
{
    if (novas.empty())
        return;
    // Inserting one after the other puts a later entry before an equal earlier one:
    // order the batch by the list's comparison, equal entries latest first.
    std::vector<size_t> ordem(novas.size());
    for (size_t i = 0; i < ordem.size(); ++i)
        ordem[i] = i;
    // Rows usually arrive in entry order already (ordered by their code): then the
    // batch needs no sort.
    bool crescente = true;
    for (size_t i = 1; crescente && i < novas.size(); ++i)
        crescente = Antes(novas[i - 1].entrada, novas[i].entrada);
    if (!crescente) {
        std::sort(ordem.begin(), ordem.end(), [&novas](size_t a, size_t b) {
            const int c = Compara(novas[a].entrada, novas[b].entrada);
            return c != 0 ? c < 0 : a > b;
        });
    }

    // Merge with the current list; a new entry goes before an equal old one.
    std::vector<QString> entradas;
    std::vector<QString> chaves;
    std::vector<QString> entraram;
    entradas.reserve(m_entradas.size() + novas.size());
    chaves.reserve(m_entradas.size() + novas.size());
    entraram.reserve(novas.size());
    const std::vector<QString> &antigas = m_codigos.Itens();
    size_t velha = 0;
    for (size_t i : ordem) {
        TEscolha &nova = novas[i];
        while (velha < m_entradas.size() && Antes(m_entradas[velha], nova.entrada)) {
            entradas.push_back(m_entradas[velha]);
            chaves.push_back(antigas[velha]);
            ++velha;
        }
        entradas.push_back(std::move(nova.entrada));
        chaves.push_back(nova.chave);
        entraram.push_back(std::move(nova.chave));
    }
    for (; velha < m_entradas.size(); ++velha) {
        entradas.push_back(m_entradas[velha]);
        chaves.push_back(antigas[velha]);
    }
    Substitui(std::move(entradas), std::move(chaves), entraram, {});
}

void TModeloEscolhidos::RemovePosicao(int pos)
{
    beginRemoveRows(QModelIndex(), pos, pos);
    m_codigos.Delete(pos);
    m_entradas.erase(m_entradas.begin() + pos);
    endRemoveRows();
}

bool TModeloEscolhidos::RemoveChave(const QString &chave, const QString &entrada)
{
    if (!m_codigos.Contains(chave))
        return false;
    // Equal entries sit side by side from the lower bound on.
    for (int pos = PosicaoOrdenada(entrada);
         pos < Count() && !Antes(entrada, m_entradas[size_t(pos)]); ++pos) {
        if (m_codigos[pos].compare(chave, Qt::CaseInsensitive) == 0) {
            RemovePosicao(pos);
            return true;
        }
    }
    RemovePosicao(m_codigos.IndexOf(chave));
    return true;
}

void TModeloEscolhidos::RemoveChaves(const QSet<QString> &chavesDobradas)
{
    if (chavesDobradas.isEmpty())
        return;
    std::vector<QString> entradas;
    std::vector<QString> chaves;
    std::vector<QString> sairam;
    const std::vector<QString> &antigas = m_codigos.Itens();
    for (size_t i = 0; i < m_entradas.size(); ++i) {
        if (chavesDobradas.contains(TCodigosEscolhidos::Dobra(antigas[i]))) {
            sairam.push_back(antigas[i]);
            continue;
        }
        entradas.push_back(m_entradas[i]);
        chaves.push_back(antigas[i]);
    }
    Substitui(std::move(entradas), std::move(chaves), {}, sairam);
}

void TModeloEscolhidos::Limpa()
{
    beginResetModel();
    std::vector<QString>().swap(m_entradas);
    m_codigos.Clear();
    endResetModel();
}

void TModeloEscolhidos::Substitui(std::vector<QString> entradas, std::vector<QString> chaves,
                                  const std::vector<QString> &entraram,
                                  const std::vector<QString> &sairam)
{
    beginResetModel();
    m_entradas = std::move(entradas);
    m_codigos.Reorder(std::move(chaves), entraram, sairam);
    endResetModel();
}
