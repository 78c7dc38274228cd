#include "hostdriving.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"

#include <QAbstractButton>
#include <QTest>

void ClickNamed(QWidget *owner, const char *name)
{
    auto *button = owner->findChild<QAbstractButton *>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void PickInListSearch(QWidget *dialog, const QString &keyField, const QStringList &keys)
{
    auto *grid = dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista"));
    QVERIFY(grid);
    TDataSet *dataSet = grid->DataSource()->DataSet();
    QVERIFY(dataSet);
    const int key = dataSet->FieldByName(keyField)->Index();
    for (int row = 0; row < dataSet->RecordCount(); ++row) {
        if (keys.contains(dataSet->ValueAt(row, key).toString())) {
            dataSet->SetRecNo(row);
            QTest::keyClick(grid, Qt::Key_Space);
        }
    }
    ClickNamed(dialog, "btnOk");
}
