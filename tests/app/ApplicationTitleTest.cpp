#include <gtest/gtest.h>

#include "app/ApplicationTitle.h"

namespace {

struct TitleCase {
    const char* executable;
    const char* title;
};

class ApplicationTitle : public testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitle, IsTheFileNameCutAtItsFirstPointLowerCasedAfterItsFirstCharacter) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(app::applicationTitleFor(QString::fromUtf8(c.executable)),
              QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(Executables, ApplicationTitle,
                         testing::Values(TitleCase{"/usr/local/bin/itemdesk", "itemdesk"},
                                         TitleCase{"/opt/ItemDesk/ItemDesk.bin", "Itemdesk"},
                                         TitleCase{"/home/u/Project1.exe", "Project1"},
                                         TitleCase{"/home/u.v/ITEM.DESK.exe", "Item"},
                                         TitleCase{"宝贝Tool.x", "宝贝tool"},
                                         TitleCase{"/a/.hidden", ""}));

}  // namespace
