#pragma once

#include <string>

#include <QString>
#include <iconv.h>

namespace postage {

// Reads description files: GBK text read line by line and joined with nothing
// between the lines. A line ends at LF or CR LF; a lone CR ends the line's
// text, and the rest of that line up to its LF is skipped. Each line is
// converted on its own; a byte sequence that is no GBK character becomes '?'.
// One reader serves many files.
class DescriptionFile {
public:
    DescriptionFile();
    ~DescriptionFile();
    DescriptionFile(const DescriptionFile&) = delete;
    DescriptionFile& operator=(const DescriptionFile&) = delete;

    // The description text of the file at `path`. Fails with
    // "Cannot open file "<path>". <reason>" or "Cannot read file ...".
    QString read(const QString& path);

private:
    void readBytes(const QString& path);
    void appendLine(const char* begin, const char* end, QString& text);

    iconv_t m_converter;
    std::string m_bytes;  // the file, kept between reads to spare allocations
};

}  // namespace postage
