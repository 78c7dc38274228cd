#pragma once
// Links a data set to data-aware controls (grids, searches).

#include "hostlib_export.h"

#include <QObject>
#include <QPointer>

class TDataSet;

class HOSTLIB_EXPORT TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject *parent = nullptr, TDataSet *dataSet = nullptr);
    TDataSet *DataSet() const;
    void SetDataSet(TDataSet *dataSet);
signals:
    void dataSetChanged(TDataSet *dataSet);
private:
    QPointer<TDataSet> m_dataSet;
};
