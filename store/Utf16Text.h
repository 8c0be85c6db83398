#pragma once

#include <QString>

namespace store {

// The text with every surrogate that has no partner replaced by U+FFFD; the
// characters around it stay as they are.
QString withLoneSurrogatesReplaced(const QString& text);

// The first `size` UTF-16 units of the text, one fewer when the last of them
// would be the first half of a pair.
QString leftWithoutSplittingPair(const QString& text, qsizetype size);

}  // namespace store
