#pragma once
// The fields of the current record of a data set, as the report model reads them.

#include "report/model/model_sources.h"

namespace dorvana {

class DataSet;

class DataSetFields : public ReportFieldSource {
public:
    explicit DataSetFields(const DataSet* dataSet = nullptr) : dataSet_(dataSet) {}
    void setDataSet(const DataSet* dataSet) { dataSet_ = dataSet; }
    const DataSet* dataSet() const { return dataSet_; }

    // No data set, or a closed one, has no fields.
    int fieldCount() const override;
    QString fieldName(int index) const override;
    QString displayText(int index) const override;
    QString displayLabel(int index) const override;
    // Memo for memo fields, Picture for BLOB and graphic fields.
    FieldKind fieldKind(int index) const override;
    QByteArray blobData(int index) const override;
    int fieldIndex(const QString& name) const override;

private:
    const class Field* field(int index) const;
    const DataSet* dataSet_;
};

}  // namespace dorvana
