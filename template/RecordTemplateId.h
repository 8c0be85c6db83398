#pragma once

#include <QString>

#include "template/FindPostageTemplate.h"

namespace store {
class Field;
class Query;
}  // namespace store

namespace postage {

// The template id of the item query's current record, from the description
// file its 宝贝描述 names, and what setting its 邮费模版ID to that id does.
// The template command and its dry run both decide through it.
class RecordTemplateId {
public:
    explicit RecordTemplateId(store::Query& itemQuery);

    // The path that 宝贝描述 holds.
    QString descriptionPath() const;
    // The template id of the description file; fails with the reading error
    // when the file cannot be read.
    QString find();
    // Whether setting 邮费模版ID to `id` would change what the record holds.
    bool changes(const QString& id) const;
    // Sets 邮费模版ID to `id`; the record must be in the edit state.
    void assign(const QString& id);

private:
    store::Field& m_description;
    store::Field& m_templateId;
    PostageTemplateFinder m_finder;
};

}  // namespace postage
