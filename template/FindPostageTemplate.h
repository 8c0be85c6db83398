#pragma once

#include <QString>
#include <QStringView>

#include "template/DescriptionFile.h"

namespace postage {

// The template id for a description text, from the weights written in front
// of the keywords 千克, KG and 公斤, each keyword deciding over the ones before:
// - 千克 counts only when it occurs exactly once;
// - KG (capitals only) counts at its first occurrence, when a digit precedes it;
// - 公斤 counts at the first occurrence preceded by a digit or ">"; each
//   occurrence that is not drops itself and the two characters after it, and
//   when none is left the id is empty.
// A keyword that counts sets the id, even to the empty text.
QString templateIdOfDescription(QStringView description);

// Reads description files and gives their template ids.
class PostageTemplateFinder {
public:
    // The template id of the description file at `path`, or the empty text.
    // A file that cannot be read fails with the reading error.
    QString FindPostageTemplate(const QString& path);

private:
    DescriptionFile m_file;
};

}  // namespace postage
