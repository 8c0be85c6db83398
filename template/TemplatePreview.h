#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QString>

namespace store {
class Progress;
class Query;
}  // namespace store

namespace postage {

// A record whose description file cannot be read.
struct UnreadableDescription {
    qlonglong id = 0;
    QString path;
    QString error;
};

// What the template command would do to the records the item query presents.
struct TemplatePreview {
    // The records whose description could be read, by the id they would get;
    // the empty id counts the ones without a weight.
    int records = 0;
    std::map<QString, int> recordsPerId;
    // Readable records whose 邮费模版ID would change.
    int changing = 0;

    int unreadable = 0;
    // The first kListedUnreadable of them, in the item query's order.
    std::vector<UnreadableDescription> firstUnreadable;
    static constexpr int kListedUnreadable = 20;

    // The command stops at the first unreadable file: the records it would
    // change before that one, which stays unchanged.
    std::optional<int> changingBeforeStop;
};

// Reads every record of the item query, in its order and through its filter,
// as assignPostageTemplates does, and the description file each names, but
// changes nothing. Shows the progress window as the command does.
TemplatePreview previewPostageTemplates(store::Query& itemQuery, store::Progress& progress);

}  // namespace postage
