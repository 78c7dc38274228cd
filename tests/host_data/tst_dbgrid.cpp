// Grid bound to a data source, driven with real mouse and key events.

#include "branchdata.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"

#include <QHeaderView>
#include <QtTest>

using namespace BranchData;

class TstDBGrid : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void columnsFollowVisibleFields();
    void titlesAndWidths();
    void currentRowFollowsCursorBothWays();
    void suspendedCursorMovesReachTheGridOnce();
    void doubleClickOnRowRunsHandler();
    void titleClickRunsHandlerWithItsColumn();
    void keyDownHandlerSeesKeyAndCanConsumeIt();
    void keyPressHandlerCanDiscardCharacter();
    void editsInPlaceOnlyWhenAllowed();
    void columnEnterAndCellDrawingHooks();
    void followsDataSourceChanges();

private:
    QPoint cellCenter(int row, const QString &field) const;
    // An in-place editor has the focus.
    bool isEditing() const
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && focus != m_grid && m_grid->isAncestorOf(focus);
    }

    TClientDataSet *m_cds = nullptr;
    TDataSource *m_source = nullptr;
    TDBGrid *m_grid = nullptr;
};

void TstDBGrid::init()
{
    m_cds = new TClientDataSet;
    DefineFields(*m_cds);
    m_cds->SetData(Bytes());
    m_source = new TDataSource(nullptr, m_cds);
    m_grid = new TDBGrid;
    m_grid->SetDataSource(m_source);
    m_grid->resize(600, 300);
    m_grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_grid));
    QApplication::setActiveWindow(m_grid);
    QVERIFY(QTest::qWaitForWindowActive(m_grid));
}

void TstDBGrid::cleanup()
{
    delete m_grid;
    delete m_source;
    delete m_cds;
}

QPoint TstDBGrid::cellCenter(int row, const QString &field) const
{
    const QModelIndex index = m_grid->model()->index(row, m_cds->FieldByName(field)->Index());
    return m_grid->visualRect(index).center();
}

void TstDBGrid::columnsFollowVisibleFields()
{
    QCOMPARE(m_grid->ColumnCount(), 4);
    QCOMPARE(m_grid->Columns(1).Field, m_cds->FieldByName(QStringLiteral("CDFILIAL")));

    m_cds->FieldByName(QStringLiteral("CDFILIAL"))->Visible = false;
    m_cds->NotifyFieldsChanged();
    QCOMPARE(m_grid->ColumnCount(), 3);
    QCOMPARE(m_grid->Columns(1).Field, m_cds->FieldByName(QStringLiteral("NMFILIAL")));
    QVERIFY(m_grid->isColumnHidden(m_cds->FieldByName(QStringLiteral("CDFILIAL"))->Index()));
    QCOMPARE(m_grid->ColumnOfField(m_cds->FieldByName(QStringLiteral("CDFILIAL"))), -1);

    // A change made while controls are suspended shows after the reset.
    m_cds->DisableControls();
    m_cds->FieldByName(QStringLiteral("CDFILIAL"))->Visible = true;
    m_cds->FieldByName(QStringLiteral("IDCHECK"))->Visible = false;
    m_cds->NotifyFieldsChanged();
    QCOMPARE(m_grid->ColumnCount(), 3);
    m_cds->EnableControls();
    QCOMPARE(m_grid->ColumnCount(), 3);
    QCOMPARE(m_grid->Columns(0).Field, m_cds->FieldByName(QStringLiteral("CDFILIAL")));
    QVERIFY(m_grid->isColumnHidden(m_cds->FieldByName(QStringLiteral("IDCHECK"))->Index()));
    QVERIFY(!m_grid->isColumnHidden(m_cds->FieldByName(QStringLiteral("CDFILIAL"))->Index()));
}

void TstDBGrid::titlesAndWidths()
{
    QAbstractItemModel *model = m_grid->model();
    TField *name = m_cds->FieldByName(QStringLiteral("NMFILIAL"));
    TField *check = m_cds->FieldByName(QStringLiteral("IDCHECK"));
    QCOMPARE(model->headerData(name->Index(), Qt::Horizontal).toString(), QStringLiteral("Nome da Filial"));

    // The title follows the field's label unless the column sets its own.
    check->DisplayLabel = QStringLiteral("4");
    m_cds->NotifyFieldsChanged();
    QCOMPARE(model->headerData(check->Index(), Qt::Horizontal).toString(), QStringLiteral("4"));
    TColumn &column = m_grid->Columns(m_grid->ColumnOfField(check));
    column.TitleCaption = QStringLiteral("\u2713");
    column.TitleAlignment = Qt::AlignCenter;
    QCOMPARE(model->headerData(check->Index(), Qt::Horizontal).toString(), QStringLiteral("\u2713"));
    QCOMPARE(model->headerData(check->Index(), Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));

    // Widths: the display width in average characters, or the column's own.
    const int average = m_grid->fontMetrics().averageCharWidth();
    QVERIFY(m_grid->columnWidth(name->Index()) >= 30 * average);
    QVERIFY(m_grid->columnWidth(name->Index()) > m_grid->columnWidth(m_cds->FieldByName(QStringLiteral("CDFILIAL"))->Index()));
    name->DisplayWidth = 10;
    m_grid->Columns(m_grid->ColumnOfField(check)).Width = 77;
    m_grid->RebuildColumns();
    QVERIFY(m_grid->columnWidth(name->Index()) < 30 * average);
    QCOMPARE(m_grid->columnWidth(check->Index()), 77);
    QCOMPARE(m_grid->Columns(m_grid->ColumnOfField(check)).TitleCaption, QStringLiteral("\u2713"));
}

void TstDBGrid::currentRowFollowsCursorBothWays()
{
    m_cds->SetRecNo(4);
    QCOMPARE(m_grid->currentIndex().row(), 4);
    QVERIFY(m_grid->selectionModel()->isRowSelected(4, QModelIndex()));

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, cellCenter(2, QStringLiteral("NMFILIAL")));
    QCOMPARE(m_cds->RecNo(), 2);
    QCOMPARE(m_cds->FieldByName(QStringLiteral("CDFILIAL"))->AsString(), QStringLiteral("0002"));
    QCOMPARE(m_grid->SelectedField(), m_cds->FieldByName(QStringLiteral("NMFILIAL")));

    QTest::keyClick(m_grid, Qt::Key_Down);
    QCOMPARE(m_cds->RecNo(), 3);
    QTest::keyClick(m_grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(m_cds->RecNo(), 0);

    // A new order moves the rows; the grid stays on the same record.
    m_cds->SetRecNo(1);   // 0001
    m_cds->SetIndexFieldNames(QStringLiteral("CDFILIAL"));
    QCOMPARE(m_cds->RecNo(), 0);
    QCOMPARE(m_grid->currentIndex().row(), 0);
}

void TstDBGrid::suspendedCursorMovesReachTheGridOnce()
{
    m_cds->SetRecNo(1);
    m_cds->DisableControls();
    m_cds->Last();
    QCOMPARE(m_grid->currentIndex().row(), 1);
    m_cds->EnableControls();
    QCOMPARE(m_grid->currentIndex().row(), m_cds->RecordCount() - 1);
}

void TstDBGrid::doubleClickOnRowRunsHandler()
{
    QStringList clicked;
    m_grid->OnDblClick = [&] { clicked << m_cds->FieldByName(QStringLiteral("CDFILIAL"))->AsString(); };
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, cellCenter(3, QStringLiteral("CDFILIAL")));
    QCOMPARE(clicked, QStringList{"0005"});

    // Below the last row: no row, no handler.
    m_grid->resize(600, 600);
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, QPoint(20, m_grid->viewport()->height() - 5));
    QCOMPARE(clicked.size(), 1);
}

void TstDBGrid::titleClickRunsHandlerWithItsColumn()
{
    m_cds->SetRecNo(2);
    QList<TField *> fields;
    m_grid->OnTitleClick = [&](TColumn &column) { fields << column.Field; };
    QHeaderView *header = m_grid->horizontalHeader();
    TField *name = m_cds->FieldByName(QStringLiteral("NMFILIAL"));
    const int x = header->sectionViewportPosition(name->Index()) + header->sectionSize(name->Index()) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    QCOMPARE(fields, QList<TField *>{name});
    // Rows keep their order and the cursor stays where it was.
    QCOMPARE(Codes(*m_cds).first(), QStringLiteral("0003"));
    QCOMPARE(m_cds->RecNo(), 2);
}

void TstDBGrid::keyDownHandlerSeesKeyAndCanConsumeIt()
{
    QList<QPair<int, Qt::KeyboardModifiers>> seen;
    m_grid->OnKeyDown = [&](int &key, Qt::KeyboardModifiers shift) {
        if (key == Qt::Key_Alt || key == Qt::Key_Control)
            return;   // the modifier keys' own presses
        seen << qMakePair(key, shift);
        if (key == Qt::Key_Down && (shift & Qt::AltModifier))
            key = 0;
    };
    m_grid->setFocus();
    QTest::keyClick(m_grid, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(m_cds->RecNo(), 0);
    QTest::keyClick(m_grid, Qt::Key_Down);
    QCOMPARE(m_cds->RecNo(), 1);
    QTest::keyClick(m_grid, Qt::Key_PageUp, Qt::AltModifier);
    QTest::keyClick(m_grid, Qt::Key_Space, Qt::ControlModifier);

    QCOMPARE(seen.size(), 4);
    QCOMPARE(seen[0], qMakePair(int(Qt::Key_Down), Qt::KeyboardModifiers(Qt::AltModifier)));
    QCOMPARE(seen[2], qMakePair(int(Qt::Key_PageUp), Qt::KeyboardModifiers(Qt::AltModifier)));
    QCOMPARE(seen[3], qMakePair(int(Qt::Key_Space), Qt::KeyboardModifiers(Qt::ControlModifier)));
}

void TstDBGrid::keyPressHandlerCanDiscardCharacter()
{
    QString typed;
    m_grid->SetEditing(true);
    m_grid->OnKeyPress = [&](QChar &key) {
        typed += key;
        if (m_grid->SelectedField()->FieldName != QLatin1String("QTFUNC"))
            key = QChar();
    };
    m_grid->setFocus();
    m_grid->SetSelectedIndex(m_grid->ColumnOfField(m_cds->FieldByName(QStringLiteral("NMFILIAL"))));
    QTest::keyClicks(m_grid, QStringLiteral("ab"));
    QCOMPARE(typed, QStringLiteral("ab"));
    QVERIFY(!isEditing());
    QCOMPARE(m_cds->FieldByName(QStringLiteral("NMFILIAL"))->AsString(), QStringLiteral("SAO PAULO"));

    // A character let through starts in-place editing.
    m_grid->SetSelectedIndex(m_grid->ColumnOfField(m_cds->FieldByName(QStringLiteral("QTFUNC"))));
    QTest::keyClicks(m_grid, QStringLiteral("4"));
    QVERIFY(isEditing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();   // the delegate commits through a queued call
    QVERIFY(!isEditing());
    QCOMPARE(m_cds->FieldByName(QStringLiteral("QTFUNC"))->Value(), QVariant(qlonglong(4)));
}

void TstDBGrid::editsInPlaceOnlyWhenAllowed()
{
    TField *name = m_cds->FieldByName(QStringLiteral("NMFILIAL"));
    TField *code = m_cds->FieldByName(QStringLiteral("CDFILIAL"));
    code->ReadOnly = true;
    m_grid->setFocus();
    m_grid->SetSelectedIndex(m_grid->ColumnOfField(name));

    QTest::keyClick(m_grid, Qt::Key_X);   // editing option off
    QVERIFY(!isEditing());

    m_grid->SetEditing(true);
    m_grid->SetSelectedIndex(m_grid->ColumnOfField(code));
    QTest::keyClick(m_grid, Qt::Key_X);   // read-only field
    QVERIFY(!isEditing());

    m_grid->Columns(m_grid->ColumnOfField(name)).ReadOnly = true;
    m_grid->SetSelectedIndex(m_grid->ColumnOfField(name));
    QTest::keyClick(m_grid, Qt::Key_X);   // read-only column
    QVERIFY(!isEditing());

    m_grid->Columns(m_grid->ColumnOfField(name)).ReadOnly = false;
    QTest::keyClick(m_grid, 'R');
    QVERIFY(isEditing());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("IO"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();   // the delegate commits through a queued call
    QCOMPARE(name->AsString(), QStringLiteral("RIO"));
    QCOMPARE(m_cds->state(), TDataSet::State::Browse);
}

void TstDBGrid::columnEnterAndCellDrawingHooks()
{
    int entered = 0;
    m_grid->OnColEnter = [&] { ++entered; };
    QSet<int> drawnColumns;
    QSet<int> drawnRows;
    QStringList codes = Codes(*m_cds);
    int misread = 0;
    m_grid->OnDrawColumnCell = [&](QPainter *painter, const QRect &rect, int dataCol, TColumn &column, QStyle::State) {
        QVERIFY(painter);
        QVERIFY(!rect.isEmpty());
        QCOMPARE(&column, &m_grid->Columns(dataCol));
        drawnColumns << dataCol;
        const int row = m_grid->rowAt(rect.center().y());
        drawnRows << row;
        // Field reads inside the hook see the row being drawn, not the cursor's.
        if (m_cds->FieldByName(QStringLiteral("CDFILIAL"))->AsString() != codes.value(row))
            ++misread;
    };
    m_grid->setFocus();
    m_grid->SetSelectedIndex(0);
    QTest::keyClick(m_grid, Qt::Key_Right);
    QCOMPARE(m_grid->SelectedIndex(), 1);
    QCOMPARE(entered, 1);
    QTest::keyClick(m_grid, Qt::Key_Down);   // same column: no column enter
    QCOMPARE(entered, 1);

    m_grid->viewport()->repaint();
    QCOMPARE(drawnColumns, (QSet<int>{0, 1, 2, 3}));
    QCOMPARE(drawnRows.size(), Rows().size());
    QCOMPARE(misread, 0);
    QCOMPARE(m_cds->FieldByName(QStringLiteral("CDFILIAL"))->AsString(), codes.at(m_cds->RecNo()));
}

void TstDBGrid::followsDataSourceChanges()
{
    TClientDataSet other;
    other.SetData(Bytes(Packet(Rows().mid(0, 2))));   // packet fields: five, all visible
    m_source->SetDataSet(&other);
    QCOMPARE(m_grid->ColumnCount(), 5);
    QCOMPARE(m_grid->model()->rowCount(), 2);
    other.SetRecNo(1);
    QCOMPARE(m_grid->currentIndex().row(), 1);

    // Reloading rows of the same shape leaves the columns as the screen arranged them.
    m_grid->setColumnHidden(4, true);
    m_grid->setColumnWidth(0, 123);
    other.SetData(Bytes(Packet(Rows())));
    QCOMPARE(m_grid->model()->rowCount(), Rows().size());
    QVERIFY(m_grid->isColumnHidden(4));
    QCOMPARE(m_grid->columnWidth(0), 123);
    QCOMPARE(m_grid->currentIndex().row(), 0);

    m_source->SetDataSet(nullptr);
    QCOMPARE(m_grid->ColumnCount(), 0);
    QCOMPARE(m_grid->model()->rowCount(), 0);

    m_source->SetDataSet(m_cds);
    delete m_cds;   // the grid lets go of a data set that goes away
    m_cds = nullptr;
    QCOMPARE(m_grid->ColumnCount(), 0);
    m_grid->viewport()->repaint();
}

QTEST_MAIN(TstDBGrid)
#include "tst_dbgrid.moc"
