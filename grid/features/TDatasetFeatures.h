#pragma once

#include <QString>

namespace store {
class Query;
}

namespace grid {

class SearchableGrid;
class SortKeyList;
class TDBGridColumns;
struct LocateTextRequest;

// What a grid needs of a kind of dataset that it cannot do through the
// dataset's common operations: how the dataset sorts its rows by the grid's
// sort markers and filters them by the grid's filter row, how a text is
// searched in its rows and how the find dialog opens. One object serves
// every dataset of its class (see DatasetFeaturesRegistry).
class TDatasetFeatures {
public:
    TDatasetFeatures() = default;
    virtual ~TDatasetFeatures();
    TDatasetFeatures(const TDatasetFeatures&) = delete;
    TDatasetFeatures& operator=(const TDatasetFeatures&) = delete;

    // Orders the rows of an open dataset by the sort keys.
    virtual void applySorting(const SortKeyList& sortKeys, store::Query& dataSet) = 0;
    // Shows only the dataset's rows that pass the columns' filter conditions.
    // Filtering stays switched on: an empty filter string shows every row.
    // A filter string the engine rejects raises its error and leaves the
    // dataset's previous filter in place.
    virtual void applyFilter(const TDBGridColumns& columns, store::Query& dataSet, bool isOpen) = 0;
    // Whether the dataset matches patterns itself (Like) when filtering locally.
    virtual bool supportsLocalLike() const { return false; }

    // Searches the grid's dataset for the request's text and makes the first
    // matching cell current; false when nothing matched. The program's search
    // loop serves every dataset of the store.
    virtual bool locateText(SearchableGrid& grid, const LocateTextRequest& request);
    // Opens the program's find dialog for the grid with the text in its edit box.
    virtual void showFindDialog(SearchableGrid& grid, const QString& text, bool modal);

    // The sort text that names the keys in order, "[F]" ascending and
    // "[F] DESC" descending, joined by ", "; empty without keys.
    static QString sortString(const SortKeyList& sortKeys);

protected:
    // The engine's datasets sort the rows they hold themselves: the sort
    // text goes into the dataset's Sort, which re-reads the rows in order.
    static void sortLocally(const SortKeyList& sortKeys, store::Query& dataSet);
    // The engine's datasets filter the rows they hold: the filter string goes
    // into the dataset's Filter, and Filtered is switched on.
    void filterLocally(const TDBGridColumns& columns, store::Query& dataSet) const;
};

}  // namespace grid
