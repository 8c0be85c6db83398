#include <cmath>
#include <limits>

#include <gtest/gtest.h>
#include <QStringEncoder>

#include "store/Error.h"
#include "template/FindPostageTemplate.h"
#include "template/WeightToTemplateId.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/TempDir.h"

namespace {

struct WeightCase {
    double weight;
    const char* id;
};

class WeightBrackets : public testing::TestWithParam<WeightCase> {};

TEST_P(WeightBrackets, GiveTheIdOfTheirBracket) {
    EXPECT_EQ(postage::WeightToTemplateId(GetParam().weight), QString::fromUtf8(GetParam().id));
}

INSTANTIATE_TEST_SUITE_P(Bounds, WeightBrackets,
                         testing::Values(WeightCase{0, ""}, WeightCase{-1, ""},
                                         WeightCase{1e-9, "1914751"}, WeightCase{0.999, "1914751"},
                                         WeightCase{1, "2099269"}, WeightCase{1.999, "2099269"},
                                         WeightCase{2, "2099290"}, WeightCase{3, "2071762"},
                                         WeightCase{3.5, "2071762"}, WeightCase{4, "2099319"},
                                         WeightCase{5, "2099395"}, WeightCase{6, "2152253"},
                                         WeightCase{6.9999, "2152253"}, WeightCase{7, ""},
                                         WeightCase{std::numeric_limits<double>::infinity(), ""},
                                         WeightCase{std::nan(""), ""}));

struct DescriptionCase {
    const char* text;  // written to the file in GBK; \r and \n as they stand
    const char* id;
};

void PrintTo(const DescriptionCase& c, std::ostream* os) {
    *os << c.text;
}

class DescriptionFiles : public testing::TestWithParam<DescriptionCase> {
protected:
    testsupport::TempDir dir;
};

TEST_P(DescriptionFiles, GiveTheIdOfTheWeightThatDecides) {
    const QString path = dir.path(QStringLiteral("描述.htm"));
    QStringEncoder gbk("GBK");
    testsupport::writeFile(path, gbk(QString::fromUtf8(GetParam().text)));
    ASSERT_FALSE(gbk.hasError());
    postage::PostageTemplateFinder finder;
    EXPECT_EQ(finder.FindPostageTemplate(path), QString::fromUtf8(GetParam().id));
}

const std::string kFiller97(97, 'x');
const std::string kWithinWindow = "2<" + kFiller97 + ">千克";   // the 2 is 100th in front
const std::string kBeyondWindow = "2<" + kFiller97 + "x>千克";  // the 2 is 101st in front

INSTANTIATE_TEST_SUITE_P(
    Keywords, DescriptionFiles,
    testing::Values(DescriptionCase{"重量1.5千克", "2099269"},
                    DescriptionCase{"<b>2</b>千克", "2099290"},
                    DescriptionCase{"<b>2</b><i></i>千克", "2099290"},
                    DescriptionCase{"5>千克", ""},  // a ">" without "<" leaves no number
                    DescriptionCase{"1千克，2千克", ""}, DescriptionCase{"2KG", "2099290"},
                    DescriptionCase{"2 KG", ""}, DescriptionCase{"2kg", ""},
                    DescriptionCase{"2千克 KG 3KG", "2099290"},  // only the first KG counts
                    DescriptionCase{"0.5公斤", "1914751"}, DescriptionCase{"0公斤", ""},
                    DescriptionCase{"7公斤", ""}, DescriptionCase{"6.99公斤", "2152253"},
                    DescriptionCase{"1公斤", "2099269"}, DescriptionCase{"<b>5</b>公斤", "2099395"},
                    DescriptionCase{"0.99999999公斤", "2099269"},  // 1 in single precision
                    DescriptionCase{"1.2.3千克", ""}, DescriptionCase{"约公斤xy3公斤", "2071762"},
                    DescriptionCase{"公斤3公斤", ""}, DescriptionCase{"1千克，约3公斤", "2071762"},
                    DescriptionCase{"1千克，2KG", "2099290"}, DescriptionCase{"1千克，约公斤", ""},
                    DescriptionCase{kWithinWindow.c_str(), "2099290"},
                    DescriptionCase{kBeyondWindow.c_str(), ""}));

INSTANTIATE_TEST_SUITE_P(Lines, DescriptionFiles,
                         testing::Values(DescriptionCase{"重量1.\n5千克\n", "2099269"},
                                         DescriptionCase{"重量1.\r\n5千克\r\n", "2099269"},
                                         // A lone CR ends the line's text; "9x" is skipped.
                                         DescriptionCase{"重量1.\r9x\n5千克", "2099269"},
                                         DescriptionCase{"\n\n2\n\nKG", "2099290"},
                                         DescriptionCase{"", ""}));

TEST(DescriptionFile, ThatCannotBeReadFailsWithItsPath) {
    testsupport::TempDir dir;
    postage::PostageTemplateFinder finder;
    for (const QString& path : {dir.path(QStringLiteral("缺少.htm")), QString(), dir.path({})}) {
        try {
            finder.FindPostageTemplate(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const store::Error& error) {
            EXPECT_TRUE(error.message().contains(u'"' + path + u'"')) << error.what();
        }
    }
}

}  // namespace
