#include "itemfile/ItemFileWriter.h"

#include <bit>
#include <charconv>
#include <cstring>

#include <QtEndian>

#include "itemfile/OutputDevice.h"
#include "store/Error.h"

namespace itemfile {

namespace {

bool holdsWholeNumber(const QVariant& value) {
    const int type = value.typeId();
    return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::UInt;
}

void appendUtf16Le(QStringView text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(text.size()) * 2);
    char* bytes = out.data() + start;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, text.data(), static_cast<std::size_t>(text.size()) * 2);
    } else {
        for (const QChar c : text) {
            qToLittleEndian(c.unicode(), bytes);
            bytes += 2;
        }
    }
}

}  // namespace

ItemFileWriter::ItemFileWriter(OutputDevice& device, ExportVariant variant,
                               std::vector<ExportColumn> columns)
    : m_device(device), m_variant(variant), m_columns(std::move(columns)) {
    if (m_variant != ExportVariant::Tab) {
        m_gbk.emplace();
    }
}

void ItemFileWriter::addMark() {
    if (m_variant == ExportVariant::Tab) {
        m_buffer.append("\xFF\xFE", 2);
    }
}

void ItemFileWriter::addHeader() {
    const QChar separator = m_variant == ExportVariant::Tab ? u'\t' : u',';
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (i > 0) {
            m_line += separator;
        }
        m_line += m_columns[i].name;
    }
    endLine();
}

// TAB variant: every value followed by TAB. Comma variants: values joined by ",".
void ItemFileWriter::addRecord(std::span<const QVariant> values) {
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_variant != ExportVariant::Tab && i > 0) {
            m_line += u',';
        }
        appendValue(values[i], m_columns[i].kind);
        if (m_variant == ExportVariant::Tab) {
            m_line += u'\t';
        }
    }
    endLine();
}

// Text and memo values are quoted in the TAB and quoted comma variants, null
// or not; the comma variant quotes any value that holds a comma. Quotes in
// a value are written as they are.
void ItemFileWriter::appendValue(const QVariant& value, store::FieldKind kind) {
    const bool quoteText = m_variant != ExportVariant::Comma && store::isTextKind(kind);
    if (value.isNull()) {
        if (quoteText) {
            m_line += QLatin1String("\"\"");
        }
        return;
    }
    if (!store::isTextKind(kind) && holdsWholeNumber(value)) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value.toLongLong()).ptr;
        m_line += QLatin1String(digits, static_cast<qsizetype>(end - digits));
        return;
    }
    const QString text = value.toString();
    if (quoteText || (m_variant == ExportVariant::Comma && text.contains(u','))) {
        m_line += u'"';
        m_line += text;
        m_line += u'"';
    } else {
        m_line += text;
    }
}

void ItemFileWriter::endLine() {
    m_line += QLatin1String("\r\n");
    if (m_gbk) {
        m_gbk->append(m_line, m_buffer);
    } else {
        appendUtf16Le(m_line, m_buffer);
    }
    m_line.resize(0);
}

void ItemFileWriter::flush() {
    const long long expected = static_cast<long long>(m_buffer.size());
    const long long written = m_device.write(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    if (written < 0) {
        throw store::Error(QStringLiteral("写入文件失败！"));
    }
    if (written != expected) {
        throw store::Error(QStringLiteral("写入文件大小不符！"));
    }
}

}  // namespace itemfile
