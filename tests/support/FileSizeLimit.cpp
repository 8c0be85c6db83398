#include "tests/support/FileSizeLimit.h"

#include <csignal>

namespace testsupport {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    // The write then fails with EFBIG instead of the signal ending the process.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

}  // namespace testsupport
