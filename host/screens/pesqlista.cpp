#include "pesqlista.h"

#include "consiste.h"
#include "pesqdialog.h"
#include "runtime/errors.h"
#include "selection.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tfield.h"

#include <QApplication>
#include <QPointer>

namespace Pesqlista {

namespace {

QPointer<QWidget> g_activeList;

QStringList VisibleFieldNames(TDataSet *dataSet)
{
    QStringList names;
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        if (dataSet->Fields(i)->Visible)
            names.append(dataSet->Fields(i)->FieldName);
    }
    return names;
}

} // namespace

bool PesquisaLista(TDataSource *source, const QString &keyField, const QString &title,
                   bool /*flag*/, QString &selection)
{
    TDataSet *dataSet = source ? source->DataSet() : nullptr;
    if (!dataSet)
        throw EHostError(QCoreApplication::translate("Pesqlista", "Pesquisa sem conjunto de dados associado."));
    if (!dataSet->Active())
        dataSet->Open();
    TField *key = dataSet->FieldByName(keyField);

    const int bar = title.indexOf(QLatin1Char('|'));
    const QString caption = bar < 0 ? title : title.left(bar);
    const QString emptyText = bar < 0 ? QString() : title.mid(bar + 1);
    if (dataSet->IsEmpty()) {
        Consiste::MensErro(emptyText.isEmpty()
                               ? QCoreApplication::translate("Pesqlista", "Não há registros para pesquisar.")
                               : emptyText,
                           false);
        return false;
    }

    PesqDialog dialog(QApplication::activeWindow(), source, caption, PesqDialog::Mode::MarkMany,
                      VisibleFieldNames(dataSet));
    dialog.setObjectName(QStringLiteral("frmPesquisaLista"));
    contracts::SelectionCodes chosen(selection);
    dialog.MarkRowsWithKeys(key, [&chosen](const QString &code) { return chosen.contains(code); });
    g_activeList = &dialog;
    const int result = dialog.exec();
    g_activeList = nullptr;
    if (result != QDialog::Accepted)
        return false;

    QStringList picked;
    const QVector<int> rows = dialog.MarkedRows();
    for (int row : rows)
        picked << key->ValueAt(row).toString().trimmed();
    selection = contracts::writeSelection(picked);
    return true;
}

bool LocateAll(TDataSet *dataSet, const QStringList &fieldNames, const QString &text)
{
    if (!dataSet || !dataSet->Active())
        return false;
    QVector<TField *> fields;
    for (const QString &name : fieldNames) {
        if (TField *field = dataSet->FindField(name))
            fields.append(field);
    }
    const int rows = dataSet->RecordCount();
    for (int row = 0; row < rows; ++row) {
        for (TField *field : fields) {
            if (field->DisplayTextAt(row).startsWith(text, Qt::CaseInsensitive)
                || field->ValueAt(row).toString().startsWith(text, Qt::CaseInsensitive)) {
                dataSet->SetRecNo(row);
                return true;
            }
        }
    }
    return false;
}

QWidget *ActiveList()
{
    return g_activeList;
}

} // namespace Pesqlista
