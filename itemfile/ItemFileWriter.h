#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QString>
#include <QVariant>

#include "itemfile/ExportVariant.h"
#include "itemfile/GbkEncoder.h"
#include "store/FieldKind.h"

namespace itemfile {

class OutputDevice;

struct ExportColumn {
    QString name;
    store::FieldKind kind;
};

// Builds the lines of an item file in one of its variants and writes them to
// a device. Bytes collect in a buffer that flush() writes with one call.
class ItemFileWriter {
public:
    ItemFileWriter(OutputDevice& device, ExportVariant variant, std::vector<ExportColumn> columns);

    // FF FE for the TAB variant; the comma variants have no mark.
    void addMark();
    // The column names joined by the variant's separator, then CR LF.
    void addHeader();
    // One value per column, a null QVariant for null.
    void addRecord(std::span<const QVariant> values);
    // Writes the buffer with one call and empties it. Fails with
    // "写入文件失败！" when the call fails and with "写入文件大小不符！" when
    // it wrote another number of bytes than the buffer held.
    void flush();

private:
    void appendValue(const QVariant& value, store::FieldKind kind);
    void endLine();

    OutputDevice& m_device;
    ExportVariant m_variant;
    std::vector<ExportColumn> m_columns;
    QString m_line;
    std::string m_buffer;
    std::optional<GbkEncoder> m_gbk;
};

}  // namespace itemfile
