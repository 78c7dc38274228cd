#pragma once
// Error screen (CMP04704): the rows that block an automatic registration (branches whose
// region the chosen suppliers do not serve), read-only, over the registration screen's
// cdsVerReFoReg. The user can only acknowledge.

#include "screens/tfrmrotigeral.h"

#include <memory>

class QLabel;
class QPushButton;
class TDataSource;
class TDBGrid;

namespace Ui { class TfrmErroForneAteFili; }

class TfrmErroForneAteFili : public TfrmRotiGeral {
    Q_OBJECT
public:
    explicit TfrmErroForneAteFili(QWidget *parent = nullptr);
    ~TfrmErroForneAteFili() override;

    // Controls of the description.
    QLabel *imgErroOri = nullptr;
    QLabel *lblErro = nullptr;
    TDBGrid *dbgPadrao = nullptr;
    QPushButton *btnOk = nullptr;
    // Under the grid when the server sent only the first of the blocking rows.
    QLabel *lblExibindo = nullptr;

    TDataSource *dtsErro = nullptr;

    void btnOkClick(QObject *sender);

    // The rows leave the screen for whoever maintains region coverage: Ctrl+C and
    // "Copiar" put the selected rows (all when none is selected) on the clipboard as
    // tab-separated text with the titles; "Exportar para CSV…" writes every row.
    void CopiaLinhas();
    void ExportaCsv();

private:
    void BindRows();
    void ArrangeColumns();
    void AddRowActions();
    void ShowHowManyAreListed();

    std::unique_ptr<Ui::TfrmErroForneAteFili> m_ui;
};
