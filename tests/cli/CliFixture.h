#pragma once

#include <sstream>

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "cli/Cli.h"

// Runs itemdesk-cli in the test's process and keeps what it printed.
class CliFixture : public testing::Test {
protected:
    int run(const QStringList& arguments) {
        m_out.str({});
        m_err.str({});
        cli::Console console{m_out, m_err, false};
        return cli::runCli(arguments, console);
    }
    QString out() const { return QString::fromStdString(m_out.str()); }
    QString err() const { return QString::fromStdString(m_err.str()); }

private:
    std::ostringstream m_out;
    std::ostringstream m_err;
};
