#pragma once
// The window "Fornecedores que atendem": the registered supplier–branch pairs, read-only,
// over the read connection "adcGeral", filtered by supplier, branch and region as the
// user types (the list is read again once the typing pauses, or at once on Enter).

#include <QWidget>
#include <memory>

class PairListModel;
class QTimer;
namespace Ui { class TfrmConsFornAtende; }

class TfrmConsFornAtende : public QWidget {
    Q_OBJECT
public:
    // How long the typing must pause before the list follows the filters.
    static constexpr int FilterDelayMs = 300;

    explicit TfrmConsFornAtende(QWidget *parent = nullptr);
    ~TfrmConsFornAtende() override;

    // Reads the list again with the filters as they stand.
    void Refresh();

private:
    void ApplyFilters();

    std::unique_ptr<Ui::TfrmConsFornAtende> m_ui;
    PairListModel *m_model;
    QTimer *m_filterTimer;
};
