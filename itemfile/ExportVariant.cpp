#include "itemfile/ExportVariant.h"

namespace itemfile {

const std::vector<ExportFilterEntry>& exportFilterEntries() {
    static const std::vector<ExportFilterEntry> entries = {
        {QStringLiteral("csv(TAB分隔)文件"), QStringLiteral("*.csv"), ExportVariant::Tab},
        {QStringLiteral("csv(逗号分隔)文件"), QStringLiteral("*.csv"), ExportVariant::Comma},
        {QStringLiteral("csv文件(gb2312)"), QStringLiteral("*.csv"), ExportVariant::QuotedComma},
        {QStringLiteral("全部文件"), QStringLiteral("*.*"), ExportVariant::QuotedComma},
    };
    return entries;
}

ExportVariant exportVariantOfEntry(int entry) {
    const auto& entries = exportFilterEntries();
    if (entry < 1 || entry > static_cast<int>(entries.size())) {
        return ExportVariant::QuotedComma;
    }
    return entries[static_cast<std::size_t>(entry - 1)].variant;
}

}  // namespace itemfile
