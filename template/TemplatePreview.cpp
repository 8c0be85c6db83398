#include "template/TemplatePreview.h"

#include "store/Error.h"
#include "store/Progress.h"
#include "store/Query.h"
#include "template/RecordTemplateId.h"

namespace postage {

TemplatePreview previewPostageTemplates(store::Query& itemQuery, store::Progress& progress) {
    RecordTemplateId record(itemQuery);
    const store::Field& id = itemQuery.fieldByName(QStringLiteral("ID"));
    progress.setPosition(0);
    progress.show();
    progress.setMaximum(itemQuery.recordCount());

    TemplatePreview preview;
    for (itemQuery.first(); !itemQuery.eof(); itemQuery.next()) {
        try {
            const QString templateId = record.find();
            ++preview.records;
            ++preview.recordsPerId[templateId];
            if (record.changes(templateId)) {
                ++preview.changing;
            }
        } catch (const store::Error& error) {
            if (!preview.changingBeforeStop) {
                preview.changingBeforeStop = preview.changing;
            }
            if (++preview.unreadable <= TemplatePreview::kListedUnreadable) {
                preview.firstUnreadable.push_back(
                    {id.value().toLongLong(), record.descriptionPath(), error.message()});
            }
        }
        progress.step();
        progress.showCounts();
    }
    return preview;
}

}  // namespace postage
