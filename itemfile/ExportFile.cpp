#include "itemfile/ExportFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QFile>

namespace itemfile {

namespace {

int openFlags(ExistingFile existing) {
    switch (existing) {
        case ExistingFile::Create:
            return O_RDWR | O_CREAT | O_EXCL;
        case ExistingFile::Overwrite:
            return O_RDWR | O_CREAT | O_TRUNC;
        case ExistingFile::Append:
            return O_RDWR;
    }
    return O_RDWR;
}

}  // namespace

ExportFile::ExportFile(const QString& path, ExistingFile existing) {
    const QByteArray name = QFile::encodeName(path);
    if (existing == ExistingFile::Overwrite) {
        ::unlink(name.constData());
    }
    m_fd = ::open(name.constData(), openFlags(existing) | O_CLOEXEC, 0666);
}

ExportFile::~ExportFile() {
    close();
}

bool ExportFile::lockExistingBytes() {
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    m_lockLength = end > 0 ? end : 0;
    // A lock of length 0 would cover the whole file, however far it grows.
    if (m_lockLength == 0) {
        return true;
    }
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = static_cast<off_t>(m_lockLength);
    // Only a lock held elsewhere counts; a file system without locks does not.
    return ::fcntl(m_fd, F_SETLK, &lock) == 0 || (errno != EACCES && errno != EAGAIN);
}

long long ExportFile::write(const char* data, std::size_t size) {
    return ::write(m_fd, data, size);
}

void ExportFile::close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace itemfile
