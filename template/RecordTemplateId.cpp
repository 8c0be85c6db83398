#include "template/RecordTemplateId.h"

#include "store/Field.h"
#include "store/Query.h"

namespace postage {

RecordTemplateId::RecordTemplateId(store::Query& itemQuery)
    : m_description(itemQuery.fieldByName(QStringLiteral("宝贝描述"))),
      m_templateId(itemQuery.fieldByName(QStringLiteral("邮费模版ID"))) {}

QString RecordTemplateId::descriptionPath() const {
    return m_description.asText();
}

QString RecordTemplateId::find() {
    return m_finder.FindPostageTemplate(descriptionPath());
}

bool RecordTemplateId::changes(const QString& id) const {
    const QVariant stored = m_templateId.value();
    const QVariant assigned = m_templateId.converted(QVariant(id));
    // An empty id written over a null field is a change: the field then holds text.
    return stored.isNull() != assigned.isNull() ||
           store::Field::textOf(stored) != store::Field::textOf(assigned);
}

void RecordTemplateId::assign(const QString& id) {
    m_templateId.setText(id);
}

}  // namespace postage
