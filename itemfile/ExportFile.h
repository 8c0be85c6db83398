#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "itemfile/ExistingFile.h"
#include "itemfile/OutputDevice.h"
#include "store/Error.h"

namespace itemfile {

// "打开写入文件失败！": the export file cannot be opened for writing. reason()
// holds the system's explanation, which the command line shows too.
class OpenForWriteError : public store::Error {
public:
    explicit OpenForWriteError(QString reason);
    const QString& reason() const { return m_reason; }

private:
    QString m_reason;
};

// The file an export writes, locked as a whole against other processes from
// opening to closing, so that no other export writes it and no import reads
// it meanwhile.
//
// A new file is written under a temporary name in the same folder (".NAME.
// partial-" and eight hex digits) and gets its name only in finish(), so that
// an export that breaks off leaves no file that passes for complete. What a
// killed export left is removed by the next export to the same name, once no
// one has locked or written it for a minute. An existing file is overwritten or appended to in
// place, keeping its mode, owner and links; only regular files that may be
// written are, and never one of the open item database's files.
class ExportFile : public OutputDevice {
public:
    // Raises OpenForWriteError. `databaseFiles` are the paths of open
    // databases, which are refused together with the files beside them.
    ExportFile(const QString& path, ExistingFile existing, const QStringList& databaseFiles);
    // Without finish(): closes the file; a new file's temporary is removed.
    ~ExportFile() override;
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    long long write(const char* data, std::size_t size) override;

    // Closes the file and gives a new file its name. Raises "写入文件失败！"
    // when the bytes could not be stored, and OpenForWriteError when a file
    // of that name appeared meanwhile.
    void finish();

private:
    void openInPlace(ExistingFile existing);
    void createTemporary();
    void lockWholeFile();
    void discard();

    QByteArray m_name;
    QByteArray m_temporaryName;  // a new file's name until finish()
    int m_fd = -1;
};

}  // namespace itemfile
