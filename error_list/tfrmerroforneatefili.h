#pragma once
// Error screen (CMP04704): the rows that block an automatic registration (branches whose
// region the chosen suppliers do not serve), read-only, over the registration screen's
// cdsVerReFoReg. The user can only acknowledge.

#include "screens/tfrmrotigeral.h"

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

    TDataSource *dtsErro = nullptr;

    QLabel *lblErro() const;
    TDBGrid *dbgPadrao() const;
    QPushButton *btnOk() const;

    void btnOkClick(QObject *sender);

private:
    void BindRows();
    void ArrangeColumns();

    Ui::TfrmErroForneAteFili *ui;
};
