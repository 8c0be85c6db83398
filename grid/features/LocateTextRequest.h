#pragma once

#include <QFlags>
#include <QString>

namespace grid {

enum class LocateDirection { Up, Down, All };
enum class LocateMatching { AnyPart, WholeField, FromBeginning };
// Which records of a tree of records a search visits; datasets without a
// tree have every record in one level.
enum class LocateTreeRange { AllNodes, ExpandedNodes, CurrentLevel, CurrentNode };

enum class LocateOption : unsigned {
    CaseInsensitive = 1u << 0,
    AllFields = 1u << 1,    // every visible column, not the one of the field name
    MatchFormat = 1u << 2,  // compare with the text the cell shows
};
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

// One search for a text in the grid, from the find dialog. An empty field
// name searches the current column (or every visible one with AllFields).
struct LocateTextRequest {
    QString fieldName;
    QString text;
    LocateOptions options;
    LocateDirection direction = LocateDirection::All;
    LocateMatching matching = LocateMatching::AnyPart;
    LocateTreeRange treeRange = LocateTreeRange::AllNodes;
};

}  // namespace grid
