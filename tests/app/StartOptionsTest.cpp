#include <sstream>

#include <gtest/gtest.h>

#include <QStringList>

#include "app/StartOptions.h"

namespace {

using namespace Qt::StringLiterals;

struct StartCase {
    QStringList arguments;
    // The start of what is printed; empty when the window starts.
    QString answer;
};

class StartOptions : public testing::TestWithParam<StartCase> {};

TEST_P(StartOptions, AnswerHelpAndVersionAndIgnoreEverythingElse) {
    std::ostringstream out;
    const bool answered = app::answerStartOptions(GetParam().arguments, out);
    const QString printed = QString::fromStdString(out.str());
    EXPECT_EQ(answered, !GetParam().answer.isEmpty());
    EXPECT_TRUE(printed.startsWith(GetParam().answer)) << printed.toStdString();
    if (GetParam().answer.isEmpty()) {
        EXPECT_TRUE(printed.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, StartOptions,
    testing::Values(StartCase{{}, {}},
                    StartCase{{u"--help"_s}, u"usage: itemdesk [--help | --version]\n"_s},
                    StartCase{{u"-h"_s}, u"usage: itemdesk"_s},
                    StartCase{{u"--version"_s}, u"itemdesk (ItemDesk) "_s},
                    StartCase{{u"-platform"_s, u"offscreen"_s, u"--version"_s},
                              u"itemdesk (ItemDesk) "_s},
                    StartCase{{u"--bogus"_s, u"x.mdb"_s, u"-platform"_s, u"offscreen"_s}, {}},
                    StartCase{{u"--"_s, u"--help"_s}, {}}));

}  // namespace
