#pragma once

#include <vector>

#include <QString>

namespace itemfile {

// The three forms an export can write.
enum class ExportVariant {
    Tab,          // UTF-16LE with FF FE, values followed by TAB, text in quotes
    Comma,        // GBK, values joined by ",", text quoted only when it holds a comma
    QuotedComma,  // GBK, values joined by ",", text always in quotes
};

// The save dialog's file-type entries, first to fourth: caption and pattern.
struct ExportFilterEntry {
    QString caption;
    QString pattern;
    ExportVariant variant;
};
const std::vector<ExportFilterEntry>& exportFilterEntries();
// The variant of a file-type entry counted from 1 (the last entry, "全部文件",
// and any entry out of range give the quoted comma variant).
ExportVariant exportVariantOfEntry(int entry);

}  // namespace itemfile
