#pragma once

#include <string>

#include <QString>

#include "grid/features/LocateTextRequest.h"

namespace grid {

// Compares cell texts with one search text in GBK bytes. Without regard to
// case both sides are upper-cased first. "Any part" looks for the text only
// where a character of the cell text begins (never from the second byte of
// a double-byte character); an empty search text occurs nowhere and an
// empty cell text contains nothing. "Whole field" compares every byte;
// "from the beginning" the cell's first bytes, as many as the search text
// has, so an empty search text matches every cell.
class TextMatch {
public:
    TextMatch(const QString& text, LocateMatching matching, bool caseInsensitive);

    bool matches(QStringView cellText);

private:
    LocateMatching m_matching;
    bool m_caseInsensitive;
    std::string m_text;
    std::string m_cell;  // reused for every cell
};

}  // namespace grid
