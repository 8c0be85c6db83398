#include "itemfile/ExportFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include <QRandomGenerator>

#include "itemfile/FileName.h"

namespace itemfile {

namespace {

// Temporary names keep at most this many bytes of the file's name.
constexpr qsizetype kTemporaryStemBytes = 200;
constexpr int kTemporaryAttempts = 100;
constexpr qsizetype kTemporarySuffixDigits = 8;
// A temporary that nobody locks and nobody wrote for this long is left over.
constexpr time_t kStaleSeconds = 60;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

[[noreturn]] void refuse(const QString& reason) {
    throw OpenForWriteError(reason);
}

[[noreturn]] void refuseWithError(int error) {
    refuse(systemReason(error));
}

[[noreturn]] void failWriting() {
    throw store::Error(QStringLiteral("写入文件失败！"));
}

struct FileIdentity {
    dev_t device;
    ino_t inode;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QByteArray& name) {
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0) {
        return std::nullopt;
    }
    return FileIdentity{status.st_dev, status.st_ino};
}

QByteArray folderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0) {
        return QByteArrayLiteral(".");
    }
    return slash == 0 ? QByteArrayLiteral("/") : name.left(slash);
}

QByteArray baseNameOf(const QByteArray& name) {
    return name.mid(name.lastIndexOf('/') + 1);
}

// Whether writing `name` would write a database file or one that SQLite
// keeps beside it: the same file under any path, or the same folder entry.
bool isDatabaseFile(const QByteArray& name, const QStringList& databaseFiles) {
    const std::optional<FileIdentity> file = identityOf(name);
    const std::optional<FileIdentity> folder = identityOf(folderOf(name));
    for (const QString& database : databaseFiles) {
        if (database.isEmpty()) {
            continue;
        }
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            const QByteArray companion = encodeFileName(database) + suffix;
            if (file && identityOf(companion) == file) {
                return true;
            }
            if (baseNameOf(companion) == baseNameOf(name) && folder &&
                identityOf(folderOf(companion)) == folder) {
                return true;
            }
        }
    }
    return false;
}

// Only regular files that someone may write are overwritten or appended to:
// not devices, FIFOs or folders, and not read-only files, even for root.
void checkWritableRegularFile(const struct stat& status) {
    if (!S_ISREG(status.st_mode)) {
        refuse(QStringLiteral("Not a regular file"));
    }
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        refuseWithError(EACCES);
    }
}

// "." + name (cut to kTemporaryStemBytes) + ".partial-" + eight hex digits.
QByteArray temporaryPrefix(const QByteArray& name) {
    return "." + baseNameOf(name).left(kTemporaryStemBytes) + ".partial-";
}

bool isTemporaryOf(const QByteArray& entry, const QByteArray& prefix) {
    if (entry.size() != prefix.size() + kTemporarySuffixDigits || !entry.startsWith(prefix)) {
        return false;
    }
    for (qsizetype i = prefix.size(); i < entry.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(entry[i]))) {
            return false;
        }
    }
    return true;
}

// Removes what exports of the same name left when they were killed: their
// temporaries that no export holds a lock on and that nobody wrote for a while.
void removeStaleTemporaries(const QByteArray& name) {
    const QByteArray folder = folderOf(name);
    const QByteArray prefix = temporaryPrefix(name);
    DIR* directory = ::opendir(folder.constData());
    if (directory == nullptr) {
        return;
    }
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(directory)) {
        if (!isTemporaryOf(QByteArray(entry->d_name), prefix)) {
            continue;
        }
        const QByteArray path = folder + "/" + entry->d_name;
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) {
            continue;
        }
        struct stat status = {};
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
            now - status.st_mtime > kStaleSeconds && ::fcntl(fd, F_OFD_SETLK, &lock) == 0) {
            ::unlink(path.constData());
        }
        ::close(fd);
    }
    ::closedir(directory);
}

}  // namespace

OpenForWriteError::OpenForWriteError(QString reason)
    : store::Error(QStringLiteral("打开写入文件失败！")), m_reason(std::move(reason)) {}

ExportFile::ExportFile(const QString& path, ExistingFile existing, const QStringList& databaseFiles)
    : m_name(encodeFileName(path)) {
    if (m_name.isEmpty()) {
        refuseWithError(ENOENT);
    }
    if (isDatabaseFile(m_name, databaseFiles)) {
        refuse(QStringLiteral("The file belongs to the open item database"));
    }
    struct stat status = {};
    const bool exists = ::lstat(m_name.constData(), &status) == 0;
    if (!exists && errno != ENOENT) {
        refuseWithError(errno);
    }
    if (existing == ExistingFile::Create && exists) {
        // A file that appeared after the question is not replaced unasked.
        refuseWithError(EEXIST);
    }
    if (existing == ExistingFile::Append && !exists) {
        refuseWithError(ENOENT);
    }
    if (exists && existing != ExistingFile::Create) {
        openInPlace(existing);
    } else {
        createTemporary();
    }
}

ExportFile::~ExportFile() {
    discard();
}

void ExportFile::openInPlace(ExistingFile existing) {
    struct stat status = {};
    if (::stat(m_name.constData(), &status) != 0) {
        refuseWithError(errno);
    }
    checkWritableRegularFile(status);
    const int flags = existing == ExistingFile::Append ? O_APPEND : 0;
    m_fd = ::open(m_name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | flags);
    if (m_fd < 0) {
        refuseWithError(errno);
    }
    // The name may have been given to another file since it was looked at.
    if (::fstat(m_fd, &status) != 0) {
        const int error = errno;
        discard();
        refuseWithError(error);
    }
    try {
        checkWritableRegularFile(status);
        lockWholeFile();
    } catch (...) {
        discard();
        throw;
    }
    ::fcntl(m_fd, F_SETFL, flags);
    if (existing == ExistingFile::Overwrite && ::ftruncate(m_fd, 0) != 0) {
        const int error = errno;
        discard();
        refuseWithError(error);
    }
}

void ExportFile::createTemporary() {
    removeStaleTemporaries(m_name);
    const QByteArray stem = folderOf(m_name) + "/" + temporaryPrefix(m_name);
    int error = EEXIST;
    for (int attempt = 0; attempt < kTemporaryAttempts && error == EEXIST; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", QRandomGenerator::global()->generate());
        const QByteArray candidate = stem + suffix;
        m_fd = ::open(candidate.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporaryName = candidate;
            lockWholeFile();
            return;
        }
        error = errno;
    }
    refuseWithError(error);
}

// An open file description lock from offset 0 with length 0 covers the whole
// file however far it grows, and conflicts with the locks of every other
// open of the file, in this process too.
void ExportFile::lockWholeFile() {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(m_fd, F_OFD_SETLK, &lock) == 0) {
        return;
    }
    // Only a lock held elsewhere counts; a file system without locks does not.
    if (errno == EACCES || errno == EAGAIN) {
        refuse(QStringLiteral("The file is in use by another process"));
    }
}

long long ExportFile::write(const char* data, std::size_t size) {
    for (;;) {
        const ssize_t written = ::write(m_fd, data, size);
        if (written >= 0 || errno != EINTR) {
            return written;
        }
    }
}

void ExportFile::finish() {
    if (!m_temporaryName.isEmpty() && ::fsync(m_fd) != 0) {
        failWriting();
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        failWriting();
    }
    if (m_temporaryName.isEmpty()) {
        return;
    }
    // Never replaces a file that appeared meanwhile. Where the file system
    // cannot rename so, a hard link gives the same guarantee.
    int renamed = ::renameat2(AT_FDCWD, m_temporaryName.constData(), AT_FDCWD, m_name.constData(),
                              RENAME_NOREPLACE);
    if (renamed != 0 && (errno == EINVAL || errno == ENOSYS)) {
        renamed = ::link(m_temporaryName.constData(), m_name.constData());
        if (renamed == 0) {
            ::unlink(m_temporaryName.constData());
        }
    }
    if (renamed != 0) {
        const int error = errno;
        discard();
        if (error == EEXIST) {
            refuseWithError(error);
        }
        failWriting();
    }
    m_temporaryName.clear();
}

void ExportFile::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporaryName.isEmpty()) {
        ::unlink(m_temporaryName.constData());
        m_temporaryName.clear();
    }
}

}  // namespace itemfile
