#pragma once

#include <QString>

#include "itemfile/ExistingFile.h"
#include "itemfile/OutputDevice.h"

namespace itemfile {

// The file an export writes, opened for reading and writing. The bytes it
// held when opened can be locked against other processes; closing the file
// releases the lock.
class ExportFile : public OutputDevice {
public:
    // Opening never raises; isOpen() tells whether it worked.
    ExportFile(const QString& path, ExistingFile existing);
    ~ExportFile() override;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Moves the write position to the end and write-locks the bytes before
    // it. Returns false when another process holds a lock on them.
    bool lockExistingBytes();
    long long lockLength() const { return m_lockLength; }

    long long write(const char* data, std::size_t size) override;
    void close();

private:
    int m_fd = -1;
    long long m_lockLength = 0;
};

}  // namespace itemfile
