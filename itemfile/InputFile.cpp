#include "itemfile/InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "itemfile/FileName.h"
#include "store/Error.h"

namespace itemfile {

namespace {

[[noreturn]] void raiseFileError(const QString& format, const QString& path, int error) {
    throw store::Error(format.arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

}  // namespace

InputFile::InputFile(const QString& path) : m_path(path) {
    const QString openFailed = QStringLiteral("Cannot open file \"%1\". %2");
    // Opened without waiting, so that a FIFO is refused instead of blocking
    // until someone writes to it.
    m_fd = ::open(encodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        raiseFileError(openFailed, path, errno);
    }
    struct stat status = {};
    if (::fstat(m_fd, &status) != 0) {
        const int error = errno;
        close();
        raiseFileError(openFailed, path, error);
    }
    if (!S_ISREG(status.st_mode)) {
        close();
        throw store::Error(openFailed.arg(path, QStringLiteral("Not a regular file")));
    }
    ::fcntl(m_fd, F_SETFL, 0);
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    // Only a lock held elsewhere counts; a file system without locks does not.
    if (::fcntl(m_fd, F_OFD_SETLK, &lock) != 0 && (errno == EACCES || errno == EAGAIN)) {
        close();
        throw store::Error(
            openFailed.arg(path, QStringLiteral("The file is in use by another process")));
    }
}

InputFile::~InputFile() {
    close();
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(m_fd, buffer + done, size - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            raiseFileError(QStringLiteral("Cannot read file \"%1\". %2"), m_path, errno);
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    return done;
}

void InputFile::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace itemfile
