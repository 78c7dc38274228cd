#pragma once
// A registration screen over the fake server and a fresh SQLite database, with helpers
// that drive it by mouse and keyboard as a user would.

#include "dialoganswerer.h"
#include "fakeappserver.h"

#include "tfrmcadautrf.h"

#include "data/tdbgrid.h"

#include <QPointer>
#include <QStringList>
#include <memory>


class ScreenFixture {
public:
    ScreenFixture();
    ~ScreenFixture();

    // Creates the screen as the module does, shows it and waits until it is active.
    TfrmCadAutRF *Open();
    TfrmCadAutRF *screen() const { return m_screen; }
    FakeAppServer *server() const { return m_host->server(); }
    FakeHostForm *host() const { return m_host.get(); }
    TestDatabase &database() { return *m_database; }
    DialogAnswerer &answerer() { return *m_answerer; }

    template <class T> T *Child(const char *name) const
    {
        return m_screen->findChild<T *>(QLatin1String(name));
    }
    void Click(const char *name) const;
    void Type(const char *name, const QString &text) const;
    // Another window takes the focus and gives it back: the screen activates again.
    void Reactivate() const;

    // Rows of `grid` whose `keyField` is among `keys` get toggled with `toggleKey`
    // (Qt::Key_unknown: double-click).
    static void ToggleRows(TDBGrid *grid, const QString &keyField, const QStringList &keys, int toggleKey);
    // Picks codes in the open list search of the host (PesquisaLista) and confirms.
    static void PickInList(QWidget *dialog, const QString &keyField, const QStringList &keys);
    // Marks branches in the open branch search and confirms.
    static void PickBranches(QWidget *dialog, const QStringList &codes);

    // Branch selection through the real branch search, the server answering `rows`.
    void ChooseBranches(const QStringList &codes);
    // Supplier selection through the real list search.
    void ChooseSuppliers(const QStringList &codes);

private:
    bool WaitForActivation(int activationsBefore) const;

    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<FakeHostForm> m_host;
    std::unique_ptr<DialogAnswerer> m_answerer;
    QPointer<TfrmCadAutRF> m_screen;
};
