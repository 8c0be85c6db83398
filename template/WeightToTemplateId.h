#pragma once

#include <QString>

// `template` is a keyword, so the folder's namespace is named after what it assigns.
namespace postage {

// The postage template id of a weight in kilograms: seven digits for
// 0 < w < 7, the empty text for any other weight and for NaN.
QString WeightToTemplateId(double weight);

}  // namespace postage
