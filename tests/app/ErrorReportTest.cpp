#include <stdexcept>

#include <gtest/gtest.h>

#include "app/ErrorReport.h"
#include "store/Error.h"

namespace {

struct ReportCase {
    const char* message;
    const char* shown;
};

class ErrorReportText : public testing::TestWithParam<ReportCase> {};

TEST_P(ErrorReportText, AppendsAPointUnlessTheLastCharacterSortsAtOrBeforeIt) {
    const ReportCase& c = GetParam();
    EXPECT_EQ(app::errorReportText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Messages, ErrorReportText,
                         testing::Values(ReportCase{"打开写入文件失败！", "打开写入文件失败！."},
                                         ReportCase{"Field 'x' not found", "Field 'x' not found."},
                                         ReportCase{"Done.", "Done."},
                                         ReportCase{"Ends in a dash -", "Ends in a dash -"},
                                         ReportCase{"Ends in a space ", "Ends in a space "},
                                         ReportCase{"Ends in slash/", "Ends in slash/."},
                                         ReportCase{"'39.5' is not a valid integer value",
                                                    "'39.5' is not a valid integer value."},
                                         ReportCase{"", ""}));

TEST(FailureMessage, IsTheStoreTextOrTheDescriptionOfAnyOtherFailure) {
    EXPECT_EQ(app::failureMessage(store::Error(QStringLiteral("ADOQuery1: Field 'x' not found"))),
              QStringLiteral("ADOQuery1: Field 'x' not found"));
    EXPECT_EQ(app::failureMessage(std::runtime_error("磁盘已满")), QStringLiteral("磁盘已满"));
}

}  // namespace
