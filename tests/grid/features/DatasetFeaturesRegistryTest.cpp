#include <gtest/gtest.h>

#include <typeinfo>

#include "grid/columns/TDBGridColumns.h"
#include "grid/features/DatasetFeaturesRegistry.h"
#include "grid/features/TADOCommandTextDatasetFeatures.h"
#include "grid/features/TADOSQLDatasetFeatures.h"
#include "store/ItemDatabase.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using grid::DatasetFeaturesRegistry;
using grid::TDatasetFeatures;

// A features object that only tells itself apart.
class Marked : public TDatasetFeatures {
public:
    void applySorting(const grid::SortKeyList&, store::Query&) override {}
    void applyFilter(const grid::TDBGridColumns&, store::Query&, bool) override {}
};

const std::type_info* resolvedType(const DatasetFeaturesRegistry& registry, const QString& name) {
    const TDatasetFeatures* features = registry.resolve(name);
    return features ? &typeid(*features) : nullptr;
}

TEST(DatasetFeaturesRegistry, EngineClassesResolveToTheNearestRegisteredClass) {
    struct Case {
        QString dataSetClass;
        const std::type_info* features;
    };
    const Case cases[] = {
        {u"TADOQuery"_s, &typeid(grid::TADOSQLDatasetFeatures)},
        {u"tadoQUERY"_s, &typeid(grid::TADOSQLDatasetFeatures)},
        {u"TCustomADODataSet"_s, &typeid(grid::TADOCommandTextDatasetFeatures)},
        {u"TDataSet"_s, nullptr},
        {u"TClientDataSet"_s, nullptr},
        {QString(), nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolvedType(DatasetFeaturesRegistry::global(), c.dataSetClass), c.features)
            << c.dataSetClass.toStdString();
    }
}

TEST(DatasetFeaturesRegistry, NearestAncestorWinsAndARegistrationReplacesTheOld) {
    DatasetFeaturesRegistry registry;
    registry.registerFeatures(u"TDataSet"_s, std::make_unique<Marked>());
    TDatasetFeatures* root = registry.resolve(u"TDataSet"_s);
    EXPECT_EQ(registry.resolve(u"TADOQuery"_s), root);

    registry.registerFeatures(u"tcustomadodataset"_s, std::make_unique<Marked>());
    TDatasetFeatures* parent = registry.resolve(u"TCustomADODataSet"_s);
    EXPECT_NE(parent, root);
    EXPECT_EQ(registry.resolve(u"TADOQuery"_s), parent);

    registry.registerFeatures(u"TCustomADODataSet"_s, std::make_unique<Marked>());
    EXPECT_NE(registry.resolve(u"TADOQuery"_s), parent);
    EXPECT_EQ(registry.resolve(u"TDataSet"_s), root);
}

// The item query's features sort its rows by the sort string of the keys.
TEST(DatasetFeaturesRegistry, ItemQueryIsSortedByItsFeatures) {
    testsupport::TempDir dir;
    const QString path = testsupport::createItemDatabase(dir);
    testsupport::runSql(path,
                        u"INSERT INTO BabyData(宝贝名称, 宝贝价格) VALUES "
                        "('b', 5), ('a', 7), ('c', 5), ('d', 7);"_s);
    store::ItemDatabase database;
    database.connectFile(path);
    database.openItemQuery();
    store::Query& query = database.itemQuery;

    grid::TDBGridColumns columns;
    columns.sortKeys().setMultiSortMarking(true);
    grid::TDBGridColumn& name = columns.add();
    name.setFieldName(u"宝贝名称"_s);
    grid::TDBGridColumn& price = columns.add();
    price.setFieldName(u"宝贝价格"_s);
    price.title().setSortMarker(grid::smUp);
    name.title().setSortMarker(grid::smDown);

    TDatasetFeatures* features = grid::resolveDatasetFeatures(query);
    ASSERT_NE(features, nullptr);
    EXPECT_EQ(typeid(*features), typeid(grid::TADOSQLDatasetFeatures));
    features->applySorting(columns.sortKeys(), query);
    EXPECT_EQ(query.sort(), u"[宝贝价格] DESC, [宝贝名称]"_s);
    const int nameField = query.fieldByName(u"宝贝名称"_s).index();
    QStringList names;
    for (int row = 0; row < query.rowCount(); ++row)
        names << query.rowValue(row, nameField).toString();
    EXPECT_EQ(names, QStringList({u"a"_s, u"d"_s, u"b"_s, u"c"_s}));

    price.title().setSortMarker(grid::smNone);
    name.title().setSortMarker(grid::smNone);
    features->applySorting(columns.sortKeys(), query);
    EXPECT_EQ(query.sort(), QString());
    EXPECT_EQ(query.rowValue(0, nameField).toString(), u"b"_s);
}

}  // namespace
