#include "tdatasource.h"

#include "tdataset.h"

TDataSource::TDataSource(QObject *parent, TDataSet *dataSet)
    : QObject(parent), m_dataSet(dataSet)
{
}

TDataSet *TDataSource::DataSet() const
{
    return m_dataSet.data();
}

void TDataSource::SetDataSet(TDataSet *dataSet)
{
    if (m_dataSet == dataSet)
        return;
    m_dataSet = dataSet;
    emit dataSetChanged(dataSet);
}
