#include "screenfixture.h"

#include "cli_cmp04702.h"
#include "cli_cmp04706.h"
#include "tfrmcadautrf.h"

#include "data/tdataset.h"
#include "data/tdatasource.h"
#include "data/tdbgrid.h"
#include "data/tfield.h"
#include "runtime/quorvel.h"
#include "screens/buttons.h"
#include "serverresult.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

ScreenFixture::ScreenFixture()
    : m_database(std::make_unique<TestDatabase>())
    , m_host(std::make_unique<FakeHostForm>())
    , m_answerer(std::make_unique<DialogAnswerer>(QMessageBox::Ok))
{
    m_host->show();
    if (!QTest::qWaitForWindowExposed(m_host.get()))
        qWarning("ScreenFixture: host form not exposed");
}

ScreenFixture::~ScreenFixture()
{
    m_answerer.reset();
    if (m_screen)
        delete m_screen.data();
    if (frmFornAt == m_host.get())
        frmFornAt = nullptr;
    frmCadAutRF = nullptr;
    m_host.reset();
    // The branch search screen went with the host form that owned it.
    frmPesqListaFilAtende = nullptr;
    m_database.reset();
    Quorvel::SetFiliProc(QString());
}

TfrmCadAutRF *ScreenFixture::Open()
{
    m_screen = CreateForm<TfrmCadAutRF>();
    frmCadAutRF = m_screen;
    frmFornAt = m_host.get();
    m_screen->show();
    m_screen->activateWindow();
    if (!QTest::qWaitForWindowActive(m_screen) || !WaitForActivation(0))
        qWarning("ScreenFixture: screen not activated");
    return m_screen;
}

void ScreenFixture::Click(const char *name) const
{
    auto *button = Child<QAbstractButton>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void ScreenFixture::Type(const char *name, const QString &text) const
{
    auto *edit = Child<QLineEdit>(name);
    QVERIFY2(edit, name);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

bool ScreenFixture::WaitForActivation(int activationsBefore) const
{
    // The activation handling runs when Qt delivers the activation, after the window
    // system reported it; every activation asks the server for the general parameters.
    return QTest::qWaitFor([&] {
        return m_host->server()->CallsOf(QStringLiteral("getParamGeral")).size() > activationsBefore;
    });
}

void ScreenFixture::Reactivate() const
{
    const int before = m_host->server()->CallsOf(QStringLiteral("getParamGeral")).size();
    QWidget other;
    other.setWindowTitle(QStringLiteral("outra janela"));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.hide();
    m_screen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_screen));
    QVERIFY(WaitForActivation(before));
}

void ScreenFixture::ToggleRows(TDBGrid *grid, const QString &keyField, const QStringList &keys, int toggleKey)
{
    QVERIFY(grid);
    TDataSet *rows = grid->DataSource()->DataSet();
    TField *key = rows->FieldByName(keyField);
    int column = 0;
    while (column < grid->model()->columnCount() && grid->isColumnHidden(column))
        ++column;
    for (int row = 0; row < rows->RecordCount(); ++row) {
        if (!keys.contains(key->ValueAt(row).toString().trimmed()))
            continue;
        const QModelIndex index = grid->model()->index(row, column);
        grid->scrollTo(index);
        const QPoint centre = grid->visualRect(index).center();
        if (toggleKey == Qt::Key_unknown) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
        } else {
            grid->setCurrentIndex(index);
            QTest::keyClick(grid, Qt::Key(toggleKey));
        }
    }
}

void ScreenFixture::PickInList(QWidget *dialog, const QString &keyField, const QStringList &keys)
{
    ToggleRows(dialog->findChild<TDBGrid *>(QStringLiteral("dbgLista")), keyField, keys, Qt::Key_Space);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOk")), Qt::LeftButton);
}

void ScreenFixture::PickBranches(QWidget *dialog, const QStringList &codes)
{
    ToggleRows(dialog->findChild<TDBGrid *>(QStringLiteral("dbgArquivo")), QStringLiteral("CDFILIAL"), codes,
               Qt::Key_unknown);
    QTest::mouseClick(dialog->findChild<TButtonFlat *>(QStringLiteral("sbtConfirma")), Qt::LeftButton);
}

void ScreenFixture::ChooseBranches(const QStringList &codes)
{
    server()->Answer(QStringLiteral("getFilial"),
                     contracts::okResult(FakeAppServer::BranchPacket(
                         {{QStringLiteral("0001"), QStringLiteral("Porto Alegre")},
                          {QStringLiteral("0002"), QStringLiteral("Campinas")},
                          {QStringLiteral("0003"), QStringLiteral("Curitiba")}})));
    m_answerer->SetDialogHandler([codes](QWidget *dialog) { PickBranches(dialog, codes); });
    Click("sbtFilial");
    m_answerer->SetDialogHandler(nullptr);
}

void ScreenFixture::ChooseSuppliers(const QStringList &codes)
{
    m_answerer->SetDialogHandler([codes](QWidget *dialog) {
        PickInList(dialog, QStringLiteral("CDFORNECED"), codes);
    });
    Click("sbtFornecedor");
    m_answerer->SetDialogHandler(nullptr);
}
