#include "template/WeightToTemplateId.h"

namespace postage {

QString WeightToTemplateId(double weight) {
    struct Bracket {
        double below;  // upper bound, excluded; the lower bound is the previous one's
        const char16_t* id;
    };
    // The ids do not rise with the weight: 3 to 4 kilograms has the lowest.
    static constexpr Bracket brackets[] = {
        {1, u"1914751"}, {2, u"2099269"}, {3, u"2099290"}, {4, u"2071762"},
        {5, u"2099319"}, {6, u"2099395"}, {7, u"2152253"},
    };
    if (!(weight > 0)) {  // also NaN
        return {};
    }
    for (const Bracket& bracket : brackets) {
        if (weight < bracket.below) {
            return QString::fromUtf16(bracket.id);
        }
    }
    return {};
}

}  // namespace postage
