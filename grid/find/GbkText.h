#pragma once

#include <string>

#include <QStringView>

namespace grid {

// Text in the GBK code page (936), as the search compares it. A character
// that GBK lacks, a surrogate pair among them, becomes '?'. Upper-casing
// works on whole characters: a double-byte character is upper-cased as the
// character it is (ａ to Ａ, α to Α), never byte by byte, so its trail byte
// is never taken for a lower-case ASCII letter.
class GbkText {
public:
    // Replaces `out` with the GBK bytes of `text`, upper-cased when asked.
    static void encode(QStringView text, bool upperCase, std::string& out);
    // The length in bytes of the character that starts with `leadByte`.
    static int characterLength(unsigned char leadByte) { return leadByte >= 0x81 ? 2 : 1; }
};

}  // namespace grid
