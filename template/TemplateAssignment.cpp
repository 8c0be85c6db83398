#include "template/TemplateAssignment.h"

#include "store/Connection.h"
#include "store/Progress.h"
#include "store/Query.h"
#include "template/RecordTemplateId.h"

namespace postage {

void assignPostageTemplates(store::Query& itemQuery, store::Progress& progress,
                            const std::function<void()>& reportSuccess) {
    RecordTemplateId record(itemQuery);
    progress.setPosition(0);
    progress.show();
    progress.setMaximum(itemQuery.recordCount());
    {
        store::Connection::Batch batch(itemQuery.connection());
        itemQuery.first();
        while (!itemQuery.eof()) {
            itemQuery.edit();
            record.assign(record.find());
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
