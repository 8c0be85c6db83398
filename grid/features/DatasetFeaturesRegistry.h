#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QString>

#include "grid/features/TDatasetFeatures.h"

namespace store {
class Query;
}

namespace grid {

// Which features object serves which dataset class. Dataset classes are
// known by name; a class is served by the features registered for the
// nearest of itself and its ancestors. Names are compared without regard to
// case. The registry owns its features objects.
class DatasetFeaturesRegistry {
public:
    DatasetFeaturesRegistry();
    ~DatasetFeaturesRegistry();
    DatasetFeaturesRegistry(const DatasetFeaturesRegistry&) = delete;
    DatasetFeaturesRegistry& operator=(const DatasetFeaturesRegistry&) = delete;

    // The registry of the program, holding the engine's classes: "TADOQuery"
    // with a TADOSQLDatasetFeatures and "TCustomADODataSet" with a
    // TADOCommandTextDatasetFeatures.
    static DatasetFeaturesRegistry& global();

    // A class registered again gets the new object in place of the old one.
    void registerFeatures(const QString& dataSetClass, std::unique_ptr<TDatasetFeatures> features);
    // None when neither the class nor any of its ancestors is registered.
    TDatasetFeatures* resolve(const QString& dataSetClass) const;

    // The class whose name the store's Query goes by.
    static const QString kQueryClass;

private:
    std::vector<std::pair<QString, std::unique_ptr<TDatasetFeatures>>> m_features;
};

// The features object for a dataset of the store, from the program's registry.
TDatasetFeatures* resolveDatasetFeatures(const store::Query& dataSet);

}  // namespace grid
