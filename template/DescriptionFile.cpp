#include "template/DescriptionFile.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "store/Error.h"

namespace postage {

namespace {

const char* nativeUtf16() {
    return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
}

[[noreturn]] void raiseFileError(const char* format, const QString& path, int error) {
    throw store::Error(
        QString::fromLatin1(format).arg(path, QString::fromLocal8Bit(std::strerror(error))));
}

// Closes a file descriptor however reading ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

DescriptionFile::DescriptionFile() : m_converter(::iconv_open(nativeUtf16(), "GBK")) {
    if (m_converter == reinterpret_cast<iconv_t>(-1)) {
        throw store::Error(QStringLiteral("GBK conversion is not available"));
    }
}

DescriptionFile::~DescriptionFile() {
    ::iconv_close(m_converter);
}

QString DescriptionFile::read(const QString& path) {
    readBytes(path);
    QString text;
    const char* next = m_bytes.data();
    const char* const end = next + m_bytes.size();
    while (next != end) {
        const char* lineEnd = next;
        while (lineEnd != end && *lineEnd != '\n' && *lineEnd != '\r') {
            ++lineEnd;
        }
        appendLine(next, lineEnd, text);
        const void* lineFeed = std::memchr(lineEnd, '\n', static_cast<std::size_t>(end - lineEnd));
        next = lineFeed ? static_cast<const char*>(lineFeed) + 1 : end;
    }
    return text;
}

void DescriptionFile::readBytes(const QString& path) {
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        raiseFileError("Cannot open file \"%1\". %2", path, errno);
    }
    struct stat status = {};
    const std::size_t expected =
        ::fstat(file.get(), &status) == 0 ? static_cast<std::size_t>(status.st_size) : 0;
    m_bytes.resize(expected + 1);  // one more, to see the end of a file that has grown
    std::size_t done = 0;
    for (;;) {
        if (done == m_bytes.size()) {
            m_bytes.resize(m_bytes.size() * 2);
        }
        const ssize_t count = ::read(file.get(), m_bytes.data() + done, m_bytes.size() - done);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            raiseFileError("Cannot read file \"%1\". %2", path, errno);
        }
        if (count == 0) {
            break;
        }
        done += static_cast<std::size_t>(count);
    }
    m_bytes.resize(done);
}

void DescriptionFile::appendLine(const char* begin, const char* end, QString& text) {
    if (begin == end) {
        return;
    }
    // GBK gives at most one UTF-16 unit per byte; room for two spares a check.
    const qsizetype start = text.size();
    text.resize(start + 2 * (end - begin));
    char* input = const_cast<char*>(begin);
    std::size_t inputLeft = static_cast<std::size_t>(end - begin);
    char* output = reinterpret_cast<char*>(text.data() + start);
    std::size_t outputLeft = 2 * inputLeft * sizeof(QChar);
    ::iconv(m_converter, nullptr, nullptr, nullptr, nullptr);
    while (inputLeft > 0) {
        if (::iconv(m_converter, &input, &inputLeft, &output, &outputLeft) !=
            static_cast<std::size_t>(-1)) {
            break;
        }
        // No GBK character starts here (or the line ends inside one): one byte becomes '?'.
        const char16_t replacement = u'?';
        std::memcpy(output, &replacement, sizeof replacement);
        output += sizeof replacement;
        outputLeft -= sizeof replacement;
        ++input;
        --inputLeft;
    }
    text.resize(static_cast<qsizetype>(reinterpret_cast<QChar*>(output) - text.data()));
}

}  // namespace postage
