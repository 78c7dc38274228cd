#include "frmconsfornatende.h"
#include "ui_frmconsfornatende.h"

#include "listwindow.h"
#include "pairlistmodel.h"

#include <QLineEdit>
#include <QTimer>

TfrmConsFornAtende::TfrmConsFornAtende(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_ui(std::make_unique<Ui::TfrmConsFornAtende>())
    , m_model(new PairListModel(PairListModel::DefaultPageSize, PairListModel::DefaultMaxListedCodes, this))
    , m_filterTimer(new QTimer(this))
{
    m_ui->setupUi(this);
    ListWindow::SetUpGrid(m_ui->dbgPares, m_model);
    m_filterTimer->setObjectName(QStringLiteral("tmrFiltro"));
    m_filterTimer->setSingleShot(true);
    m_filterTimer->setInterval(FilterDelayMs);
    connect(m_filterTimer, &QTimer::timeout, this, &TfrmConsFornAtende::ApplyFilters);
    for (QLineEdit *filter : {m_ui->edtFornecedor, m_ui->edtFilial, m_ui->edtRegiao}) {
        connect(filter, &QLineEdit::textChanged, m_filterTimer, qOverload<>(&QTimer::start));
        connect(filter, &QLineEdit::returnPressed, this, &TfrmConsFornAtende::ApplyFilters);
    }
    ListWindow::ShowCountIn(m_ui->lblTotal, m_model,
                            {tr("Mostrando os primeiros %1 pares; role até o fim da lista para ver mais."),
                             tr("Nenhum par encontrado."), tr("1 par"), tr("%1 pares")});
    ListWindow::ReportFailures(this, m_model);
    connect(m_ui->btnAtualizar, &QPushButton::clicked, this, &TfrmConsFornAtende::Refresh);
    connect(m_ui->btnFechar, &QPushButton::clicked, this, &QWidget::close);
}

TfrmConsFornAtende::~TfrmConsFornAtende() = default;

void TfrmConsFornAtende::Refresh()
{
    ApplyFilters();
}

void TfrmConsFornAtende::ApplyFilters()
{
    m_filterTimer->stop();
    m_model->SetFilter(PairFilter{m_ui->edtFornecedor->text(), m_ui->edtFilial->text(), m_ui->edtRegiao->text()});
    m_model->Reload();
}
