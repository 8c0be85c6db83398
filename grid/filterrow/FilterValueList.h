#pragma once

#include <QString>
#include <QStringList>

#include "store/DataLink.h"

namespace store {
class DataSource;
}

namespace grid {

// The distinct texts of one field of a list dataset, as a filter cell's
// dropdown list offers them: sorted and without duplicates, both without
// regard to case (of texts differing only in case the first one read stays).
// Built on first use and kept until the list dataset reports a change of its
// rows, opens, closes or is replaced.
class FilterValueList : public store::DataLink {
public:
    FilterValueList(store::DataSource* listSource, QString fieldName);

    store::DataSource* listSource() const { return dataSource(); }
    const QString& fieldName() const { return m_fieldName; }
    bool isBuilt() const { return m_built; }
    // Builds the list when it is not built; empty without an open dataset.
    // A field the dataset lacks fails with the dataset's message.
    const QStringList& values();

    // `texts` sorted and made distinct, both without regard to case.
    static QStringList distinctSorted(const QStringList& texts);

    void activeChanged() override;
    void dataSetChanged() override;

private:
    QString m_fieldName;
    QStringList m_values;
    bool m_built = false;
};

}  // namespace grid
