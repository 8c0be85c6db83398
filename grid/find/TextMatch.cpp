#include "grid/find/TextMatch.h"

#include <cstring>

#include "grid/find/GbkText.h"

namespace grid {

TextMatch::TextMatch(const QString& text, LocateMatching matching, bool caseInsensitive)
    : m_matching(matching), m_caseInsensitive(caseInsensitive) {
    GbkText::encode(text, caseInsensitive, m_text);
}

bool TextMatch::matches(QStringView cellText) {
    GbkText::encode(cellText, m_caseInsensitive, m_cell);
    const std::size_t length = m_text.size();
    switch (m_matching) {
        case LocateMatching::WholeField:
            return m_cell == m_text;
        case LocateMatching::FromBeginning:
            return m_cell.size() >= length && m_cell.compare(0, length, m_text) == 0;
        case LocateMatching::AnyPart:
            if (length == 0)
                return false;
            for (std::size_t at = 0; at + length <= m_cell.size();
                 at += static_cast<std::size_t>(
                     GbkText::characterLength(static_cast<unsigned char>(m_cell[at])))) {
                if (std::memcmp(m_cell.data() + at, m_text.data(), length) == 0)
                    return true;
            }
            return false;
    }
    return false;
}

}  // namespace grid
