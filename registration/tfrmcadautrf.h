#pragma once
// Registration screen "Cadastramento Automático" (CMP04702): the user states regions,
// branches and suppliers (all or a list), a periodicity and, where enabled, a lead time;
// the confirmation validates the scope on the application server and registers which
// suppliers serve which branches.

#include "screens/tfrmrotigeral.h"

#include <QString>

class QEvent;
class TADOIBQuery;
class TClientDataSet;
class TDataSource;
class TField;

namespace Ui { class TfrmCadAutRF; }

class TfrmCadAutRF : public TfrmRotiGeral {
    Q_OBJECT
public:
    explicit TfrmCadAutRF(QWidget *parent = nullptr);
    ~TfrmCadAutRF() override;

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
    void rbtListaRegKeyDown(QObject *sender, quint16 &key, Qt::KeyboardModifiers shift);
    void sbtRegiaoClick(QObject *sender);
    void vd_Regiao();

    // Branches
    void rbtTFilialClick(QObject *sender);
    void rbtLFilialClick(QObject *sender);
    void rbtLFilialKeyDown(QObject *sender, quint16 &key, Qt::KeyboardModifiers shift);
    void sbtFilialClick(QObject *sender);

    // Suppliers
    void rbtTodosClick(QObject *sender);
    void rbtListaClick(QObject *sender);
    void rbtListaKeyDown(QObject *sender, quint16 &key, Qt::KeyboardModifiers shift);
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
    void ApplyDescriptionProperties();
    void WireEvents();
    double LeadTime() const;
    void RegisterOnServer(const QString &allSuppliers, const QString &allBranches, double leadTime);

    Ui::TfrmCadAutRF *ui;

    QString FListaRegiao;
    QString FListaFilial;
    QString FListaFornecedor;
    QString FCdPeriod;
    bool FUsaPrazo = false;
};
