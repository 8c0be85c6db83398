#pragma once

#include <cstddef>

#include <QString>

namespace itemfile {

// A file opened for reading only. It holds a shared lock over the whole file
// while open, so that no cooperating process writes it meanwhile (an export
// holds a write lock on the bytes it appends to).
class InputFile {
public:
    // Fails with "Cannot open file "<path>". <reason>".
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
