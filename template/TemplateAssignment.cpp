#include "template/TemplateAssignment.h"

#include "store/Connection.h"
#include "store/Progress.h"
#include "store/Query.h"
#include "template/FindPostageTemplate.h"

namespace postage {

void assignPostageTemplates(store::Query& itemQuery, store::Progress& progress,
                            const std::function<void()>& reportSuccess) {
    store::Field& description = itemQuery.fieldByName(QStringLiteral("宝贝描述"));
    store::Field& templateId = itemQuery.fieldByName(QStringLiteral("邮费模版ID"));
    progress.setPosition(0);
    progress.show();
    progress.setMaximum(itemQuery.recordCount());

    PostageTemplateFinder finder;
    {
        store::Connection::Batch batch(itemQuery.connection());
        itemQuery.first();
        while (!itemQuery.eof()) {
            itemQuery.edit();
            templateId.setText(finder.FindPostageTemplate(description.asText()));
            itemQuery.next();  // posts the record
            progress.step();
            progress.showCounts();
        }
        batch.commit();
    }
    if (reportSuccess) {
        reportSuccess();
    }
}

}  // namespace postage
