#include "template/FindPostageTemplate.h"

#include <algorithm>

#include "template/WeightBeforeKeyword.h"
#include "template/WeightToTemplateId.h"

namespace postage {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

QString idBefore(QStringView text, qsizetype keyword) {
    return WeightToTemplateId(static_cast<double>(weightBeforeKeyword(text, keyword)));
}

}  // namespace

QString templateIdOfDescription(QStringView description) {
    static constexpr QStringView kilogram = u"千克";
    static constexpr QStringView capitalKg = u"KG";
    static constexpr QStringView jin = u"公斤";

    QString id;
    if (description.count(kilogram) == 1) {
        id = idBefore(description, description.indexOf(kilogram));
    }

    const qsizetype kg = description.indexOf(capitalKg);
    if (kg > 0 && isDigit(description[kg - 1])) {
        id = idBefore(description, kg);
    }

    QStringView rest = description;
    while (rest.contains(jin)) {
        const qsizetype at = rest.indexOf(jin);
        if (at > 0 && (rest[at - 1] == u'>' || isDigit(rest[at - 1]))) {
            return idBefore(rest, at);
        }
        // Everything up to the keyword, the keyword and the two characters after it.
        rest = rest.sliced(std::min(at + 4, rest.size()));
        id.clear();
    }
    return id;
}

QString PostageTemplateFinder::FindPostageTemplate(const QString& path) {
    return templateIdOfDescription(m_file.read(path));
}

}  // namespace postage
