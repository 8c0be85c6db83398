#pragma once

#include <cstddef>

#include <QString>

namespace itemfile {

// A regular file opened for reading only. It holds a shared lock over the
// whole file while open, so that no export writes it meanwhile; a file that an
// export is writing (which holds a write lock on it) is refused.
class InputFile {
public:
    // Fails with "Cannot open file "<path>". <reason>", also for a file that
    // is no regular file (a FIFO, a device, a folder).
    explicit InputFile(const QString& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads up to `size` bytes, fewer only at the end of the file.
    std::size_t read(char* buffer, std::size_t size);
    void close();

private:
    QString m_path;
    int m_fd = -1;
};

}  // namespace itemfile
