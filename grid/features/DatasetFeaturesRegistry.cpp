#include "grid/features/DatasetFeaturesRegistry.h"

#include <algorithm>

#include "grid/features/TADOCommandTextDatasetFeatures.h"
#include "grid/features/TADOSQLDatasetFeatures.h"

namespace grid {

namespace {

// The dataset classes the grid knows, each with its parent. The store's
// Query is the engine's query, which is one of the engine's datasets.
struct DataSetClass {
    const char16_t* name;
    const char16_t* parent;
};

constexpr DataSetClass kDataSetClasses[] = {
    {u"TADOQuery", u"TCustomADODataSet"},
    {u"TCustomADODataSet", u"TDataSet"},
    {u"TDataSet", nullptr},
};

bool sameClass(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Empty for a class without a known parent.
QString parentClass(const QString& name) {
    for (const DataSetClass& known : kDataSetClasses) {
        if (sameClass(QString::fromUtf16(known.name), name))
            return known.parent ? QString::fromUtf16(known.parent) : QString();
    }
    return {};
}

}  // namespace

const QString DatasetFeaturesRegistry::kQueryClass = QStringLiteral("TADOQuery");

DatasetFeaturesRegistry::DatasetFeaturesRegistry() = default;

DatasetFeaturesRegistry::~DatasetFeaturesRegistry() = default;

DatasetFeaturesRegistry& DatasetFeaturesRegistry::global() {
    static DatasetFeaturesRegistry registry;
    static const bool filled = [] {
        registry.registerFeatures(QStringLiteral("TADOQuery"),
                                  std::make_unique<TADOSQLDatasetFeatures>());
        registry.registerFeatures(QStringLiteral("TCustomADODataSet"),
                                  std::make_unique<TADOCommandTextDatasetFeatures>());
        return true;
    }();
    Q_UNUSED(filled);
    return registry;
}

void DatasetFeaturesRegistry::registerFeatures(const QString& dataSetClass,
                                               std::unique_ptr<TDatasetFeatures> features) {
    const auto it = std::find_if(m_features.begin(), m_features.end(), [&](const auto& pair) {
        return sameClass(pair.first, dataSetClass);
    });
    if (it != m_features.end())
        it->second = std::move(features);
    else
        m_features.emplace_back(dataSetClass, std::move(features));
}

TDatasetFeatures* DatasetFeaturesRegistry::resolve(const QString& dataSetClass) const {
    for (QString name = dataSetClass; !name.isEmpty(); name = parentClass(name)) {
        for (const auto& [registered, features] : m_features) {
            if (sameClass(registered, name))
                return features.get();
        }
    }
    return nullptr;
}

// Every dataset of the store is of the query class.
TDatasetFeatures* resolveDatasetFeatures(const store::Query&) {
    return DatasetFeaturesRegistry::global().resolve(DatasetFeaturesRegistry::kQueryClass);
}

}  // namespace grid
