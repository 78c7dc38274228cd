#include "tfrmerroforneatefili.h"
#include "ui_tfrmerroforneatefili.h"

#include "cli_cmp04702.h"
#include "tfrmcadautrf.h"

#include "gridtext.h"
#include "pkg_cmp04702.h"

#include "data/tclientdataset.h"
#include "data/tdatasource.h"
#include "data/tfield.h"
#include "runtime/guard.h"
#include "screens/consistedialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QStyle>

namespace {

// The grid's columns, in this order, with their widths; the data set's other fields
// (trade name and legal-person type, which the supplier text uses) are not shown here.
struct ErrorColumn { const char *field; int width; };
constexpr ErrorColumn ErrorColumns[] = {{"FORNECEDOR", 280}, {"REGIAO", 125}, {"FILIAL", 165}};

} // namespace

TfrmErroForneAteFili::TfrmErroForneAteFili(QWidget *parent)
    : TfrmRotiGeral(parent)
    , m_ui(std::make_unique<Ui::TfrmErroForneAteFili>())
{
    setObjectName(QStringLiteral("frmErroForneAteFili"));
    // The description replaces the base's main group and button panel.
    auto *content = new QWidget(this);
    m_ui->setupUi(content);
    AdoptDescription(content);
    imgErroOri = m_ui->imgErroOri;
    lblErro = m_ui->lblErro;
    dbgPadrao = m_ui->dbgPadrao;
    btnOk = m_ui->btnOk;
    lblExibindo = m_ui->lblExibindo;
    grbDadosRel->hide();
    panMenu->hide();
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(content, 2, 0, 1, 2);
    else if (layout())
        layout()->addWidget(content);

    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(607, 302);
    HelpFile = QStringLiteral("SUPHELP.HLP");
    HelpContext = 12801716;

    imgErroOri->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(37, 36));
    QPalette gridPalette = dbgPadrao->palette();
    gridPalette.setColor(QPalette::Base, gridPalette.color(QPalette::ToolTipBase));
    gridPalette.setColor(QPalette::Text, gridPalette.color(QPalette::ToolTipText));
    dbgPadrao->setPalette(gridPalette);
    dbgPadrao->SetEditing(false);
    dbgPadrao->SetReadOnly(true);

    BindRows();
    AddRowActions();
    ShowHowManyAreListed();
    connect(btnOk, &QPushButton::clicked, this, Guard::Wrap(this, [this](bool) { btnOkClick(btnOk); }));
}

TfrmErroForneAteFili::~TfrmErroForneAteFili() = default;

// dtsErro shows the registration screen's blocking rows; without a registration
// screen the grid stays empty.
void TfrmErroForneAteFili::BindRows()
{
    dtsErro = new TDataSource(this, frmCadAutRF ? frmCadAutRF->cdsVerReFoReg : nullptr);
    dtsErro->setObjectName(QStringLiteral("dtsErro"));
    dbgPadrao->SetDataSource(dtsErro);
    ArrangeColumns();
}

void TfrmErroForneAteFili::ArrangeColumns()
{
    TDataSet *rows = dtsErro->DataSet();
    if (!rows)
        return;
    TDBGrid *grid = dbgPadrao;
    QHeaderView *header = grid->horizontalHeader();
    for (int i = 0; i < rows->FieldCount(); ++i)
        grid->setColumnHidden(i, true);
    int visual = 0;
    for (const ErrorColumn &column : ErrorColumns) {
        const TField *field = rows->FindField(QLatin1String(column.field));
        if (!field)
            continue;
        grid->setColumnHidden(field->Index(), false);
        grid->setColumnWidth(field->Index(), column.width);
        header->moveSection(header->visualIndex(field->Index()), visual++);
    }
    // The first row starts current in the leftmost column, so the grid opens unscrolled.
    const QModelIndex first = grid->model()->index(rows->IsEmpty() ? -1 : 0, header->logicalIndex(0));
    if (first.isValid())
        grid->setCurrentIndex(first);
    grid->horizontalScrollBar()->setValue(0);
}

void TfrmErroForneAteFili::ShowHowManyAreListed()
{
    const auto *rows = qobject_cast<const TClientDataSet *>(dtsErro->DataSet());
    if (!rows || rows->PacketTotal() <= rows->RecordCount())
        return;
    const QLocale numbers = Package::TextLocale();
    lblExibindo->setText(tr("Exibindo %1 de %2 pares bloqueados.")
                             .arg(numbers.toString(qlonglong(rows->RecordCount())),
                                  numbers.toString(qlonglong(rows->PacketTotal()))));
    lblExibindo->show();
}

void TfrmErroForneAteFili::AddRowActions()
{
    // Several rows can be picked for copying; the cursor's row is not a pick by itself.
    dbgPadrao->setSelectionMode(QAbstractItemView::ExtendedSelection);
    dbgPadrao->selectionModel()->clearSelection();

    auto *copia = new QAction(tr("&Copiar"), dbgPadrao);
    copia->setObjectName(QStringLiteral("actCopiar"));
    copia->setShortcut(QKeySequence::Copy);
    copia->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copia, &QAction::triggered, this, Guard::Wrap(this, [this] { CopiaLinhas(); }));

    auto *exporta = new QAction(tr("&Exportar para CSV…"), dbgPadrao);
    exporta->setObjectName(QStringLiteral("actExportarCsv"));
    connect(exporta, &QAction::triggered, this, Guard::Wrap(this, [this] { ExportaCsv(); }));

    dbgPadrao->addActions({copia, exporta});
    dbgPadrao->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void TfrmErroForneAteFili::CopiaLinhas()
{
    QApplication::clipboard()->setText(GridText::FromView(dbgPadrao, GridText::Rows::SelectedOrAll).ToTabSeparated());
}

void TfrmErroForneAteFili::ExportaCsv()
{
    QFileDialog dialog(this, tr("Exportar para CSV"));
    dialog.setObjectName(QStringLiteral("dlgExportarCsv"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("Arquivos CSV (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.selectFile(tr("filiais_bloqueadas.csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The file is the whole list, whatever is selected.
    const GridText rows = GridText::FromView(dbgPadrao, GridText::Rows::All);
    const QString problem = WriteWholeFile(dialog.selectedFiles().first(), rows.ToCsv());
    if (!problem.isEmpty())
        Consiste::MensErro(problem, false);
}

void TfrmErroForneAteFili::btnOkClick(QObject *)
{
    accept();
    if (frmCadAutRF)
        frmCadAutRF->repaint();
}
