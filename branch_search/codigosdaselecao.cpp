#include "codigosdaselecao.h"

TCodigosDaSelecao::TCodigosDaSelecao(const QString &selecao) : m_selecao(selecao)
{
    for (qsizetype i = 0; i < m_selecao.size(); ++i)
        if (m_selecao[i] == QLatin1Char('_'))
            m_sublinhados.push_back(i);
}

bool TCodigosDaSelecao::Contem(const QString &codigo)
{
    const int m = int(codigo.count(QLatin1Char('_')));
    if (m_sublinhados.size() < size_t(m) + 2)
        return false;
    return Candidatos(m).contains(QStringView(codigo));
}

const QSet<QStringView> &TCodigosDaSelecao::Candidatos(int m)
{
    auto found = m_porVao.find(m);
    if (found != m_porVao.end())
        return *found;
    QSet<QStringView> &candidatos = m_porVao[m];
    const size_t vao = size_t(m) + 1;
    candidatos.reserve(qsizetype(m_sublinhados.size() - vao));
    for (size_t i = 0; i + vao < m_sublinhados.size(); ++i) {
        const qsizetype inicio = m_sublinhados[i] + 1;
        candidatos.insert(m_selecao.mid(inicio, m_sublinhados[i + vao] - inicio));
    }
    return candidatos;
}
