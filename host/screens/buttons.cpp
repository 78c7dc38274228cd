#include "buttons.h"

#include "consiste.h"
#include "pesqdialog.h"
#include "runtime/errors.h"
#include "runtime/guard.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tfield.h"

#include <QPointer>

// ---------------------------------------------------------------------------------------
// TButtonFlat

TButtonFlat::TButtonFlat(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);   // a speed button never takes the focus from the edit
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TButtonFlat::SetGlyph(const QPixmap &normal, const QPixmap &disabled)
{
    QIcon icon(normal);
    if (!disabled.isNull())
        icon.addPixmap(disabled, QIcon::Disabled);
    setIcon(icon);
    if (!normal.isNull())
        setIconSize(normal.size());
}

// ---------------------------------------------------------------------------------------
// TBtnPesquisa

namespace {
QPointer<QWidget> g_activeLookup;
}

TBtnPesquisa::TBtnPesquisa(QWidget *parent)
    : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolTip(tr("Pesquisar"));
    connect(this, &QToolButton::clicked, this, [this] { Guard::Run(window(), [this] { Pesquisar(); }); });
}

QWidget *TBtnPesquisa::ActiveList()
{
    return g_activeLookup;
}

void TBtnPesquisa::Pesquisar()
{
    bool cancel = false;
    if (OnBeforePesq)
        OnBeforePesq(this, cancel);
    if (cancel)
        return;

    TDataSet *dataSet = DataSource ? DataSource->DataSet() : nullptr;
    if (!dataSet)
        throw EHostError(tr("Pesquisa sem conjunto de dados associado."));
    if (!dataSet->Active() || dataSet->IsEmpty()) {
        Consiste::MensErro(EmptyError.isEmpty() ? tr("Não há registros para pesquisar.")
                                                : EmptyError,
                           false);
        return;
    }

    QStringList searchFields;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        const TField *field = dataSet->Fields(i);
        if (!field->Visible)
            continue;
        searchFields.append(field->FieldName);
        if (PesqChave)
            break;   // the key is the first visible column
    }

    PesqDialog dialog(window(), DataSource, Title, PesqDialog::Mode::PickOne, searchFields);
    dialog.setObjectName(QStringLiteral("frmPesquisa"));
    g_activeLookup = &dialog;
    const int result = dialog.exec();
    g_activeLookup = nullptr;
    if (result != QDialog::Accepted)
        return;
    const int row = dialog.CurrentRow();
    if (row < 0)
        return;
    if (dataSet->RecNo() != row)
        dataSet->SetRecNo(row);
    if (Associate)
        Associate->setFocus(Qt::OtherFocusReason);
    if (OnAfterPesq)
        OnAfterPesq(this);
}
