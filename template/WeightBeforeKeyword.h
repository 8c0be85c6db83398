#pragma once

#include <QStringView>

namespace postage {

// The weight written in front of a weight keyword that starts at `keyword`
// (an index into `text`): the number of digits and points that ends the up to
// 100 characters in front of the keyword, once trailing markup tags are
// removed, read as a single-precision number. 0 when there is no such number
// or it does not parse ("1.2.3", ".").
float weightBeforeKeyword(QStringView text, qsizetype keyword);

}  // namespace postage
