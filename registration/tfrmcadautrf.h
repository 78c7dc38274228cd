#pragma once
// Registration screen "Cadastramento Automático" (CMP04702): the user states regions,
// branches and suppliers (all or a list), a periodicity and, where enabled, a lead time;
// the confirmation validates the scope on the application server and registers which
// suppliers serve which branches.

#include "screens/tfrmrotigeral.h"

#include <QString>

#include <memory>

class QEvent;
class QGroupBox;
class QLabel;
class QRadioButton;
class TADOIBQuery;
class TBtnPesquisa;
class TButtonFlat;
class TMaskEdit;
class TClientDataSet;
class TDataSource;
class TField;

namespace Ui { class TfrmCadAutRF; }

class TfrmCadAutRF : public TfrmRotiGeral {
    Q_OBJECT
public:
    explicit TfrmCadAutRF(QWidget *parent = nullptr);
    ~TfrmCadAutRF() override;

    // Controls of the description.
    QGroupBox *grbRegiao = nullptr;
    QRadioButton *rbtTodasReg = nullptr;
    QRadioButton *rbtListaReg = nullptr;
    TButtonFlat *sbtRegiao = nullptr;
    QGroupBox *grbFilial = nullptr;
    QRadioButton *rbtTFilial = nullptr;
    QRadioButton *rbtLFilial = nullptr;
    TButtonFlat *sbtFilial = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbtTodos = nullptr;
    QRadioButton *rbtLista = nullptr;
    TButtonFlat *sbtFornecedor = nullptr;
    QGroupBox *grbPeriodicidade = nullptr;
    QLabel *lblCdPeriod = nullptr;
    TMaskEdit *medCdPeriod = nullptr;
    TBtnPesquisa *btpFilial = nullptr;
    QGroupBox *grbPrazo = nullptr;
    TMaskEdit *medPrazo = nullptr;

    // Data components (bound to the host's connection "adcGeral" or loaded from
    // server packets). The error screen reads cdsVerReFoReg.
    TADOIBQuery *qryFornecedor = nullptr;
    TDataSource *dtsFornecedor = nullptr;
    TADOIBQuery *qryRegiao = nullptr;
    TDataSource *dtsRegiao = nullptr;
    TADOIBQuery *qryRegiaoFilial = nullptr;
    TADOIBQuery *qryPesqPeriod = nullptr;
    TDataSource *dtsPesqPeriod = nullptr;
    TClientDataSet *cdsVerReFoReg = nullptr;
    TClientDataSet *cdsVerReForFil = nullptr;
    TClientDataSet *cdsPesqFilial = nullptr;
    TDataSource *dtsPesqFilial = nullptr;

    // Start-up
    void FormCreate() override;
    void FormActivate() override;

    // Regions
    void rbtTodasRegClick(QObject *sender);
    void rbtListaRegClick(QObject *sender);
    void rbtListaRegKeyDown(QObject *sender, int &key, Qt::KeyboardModifiers shift);
    void sbtRegiaoClick(QObject *sender);
    void vd_Regiao();

    // Branches
    void rbtTFilialClick(QObject *sender);
    void rbtLFilialClick(QObject *sender);
    void rbtLFilialKeyDown(QObject *sender, int &key, Qt::KeyboardModifiers shift);
    void sbtFilialClick(QObject *sender);

    // Suppliers
    void rbtTodosClick(QObject *sender);
    void rbtListaClick(QObject *sender);
    void rbtListaKeyDown(QObject *sender, int &key, Qt::KeyboardModifiers shift);
    void sbtFornecedorClick(QObject *sender);

    // Periodicity
    void medCdPeriodKeyPress(QObject *sender, QChar &key);
    void medCdPeriodExit(QObject *sender);
    void Vd_CdPerientr();
    QString AjustaPeri(const QString &code) const;
    void btpFilialBeforePesq(QObject *sender, bool &cancel);
    void btpFilialAfterPesq(QObject *sender);

    // Confirmation
    void sbtConfirmaClick() override;

    // Field text formatters
    void qryFornecedorNRINSJURFORNGetText(TField &sender, QString &text, bool displayText);
    void cdsVerReFoRegFORNECEDORGetText(TField &sender, QString &text, bool displayText);

    // State, for the host's tests and diagnostics.
    QString ListaRegiao() const { return FListaRegiao; }
    QString ListaFilial() const { return FListaFilial; }
    QString ListaFornecedor() const { return FListaFornecedor; }
    QString CdPeriod() const { return FCdPeriod; }
    bool UsaPrazo() const { return FUsaPrazo; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateDataComponents();
    void SetUpControls();
    void WireEvents();
    double LeadTime() const;
    void RegisterOnServer(const QString &allSuppliers, const QString &allBranches, double leadTime);

    std::unique_ptr<Ui::TfrmCadAutRF> m_ui;

    QString FListaRegiao;
    QString FListaFilial;
    QString FListaFornecedor;
    QString FCdPeriod;
    bool FUsaPrazo = false;
};
