#include "grid/find/GridTextSearch.h"

#include <algorithm>
#include <vector>

#include "grid/celltext/FieldDisplay.h"
#include "grid/columns/TDBGridColumn.h"
#include "grid/columns/TDBGridColumns.h"
#include "grid/features/LocateTextRequest.h"
#include "grid/features/SearchableGrid.h"
#include "grid/find/TextMatch.h"
#include "store/Error.h"
#include "store/Field.h"
#include "store/Query.h"

namespace grid {

namespace {

// Rows read at a time: one statement of the store per block.
constexpr int kBlockRows = 512;

// Suspends the dataset's display updates for as long as it lives.
class UpdatesSuspended {
public:
    explicit UpdatesSuspended(store::Query& dataSet) : m_dataSet(dataSet) {
        m_dataSet.disableControls();
    }
    ~UpdatesSuspended() { m_dataSet.enableControls(); }
    UpdatesSuspended(const UpdatesSuspended&) = delete;
    UpdatesSuspended& operator=(const UpdatesSuspended&) = delete;

private:
    store::Query& m_dataSet;
};

// The cells searched, column by column and row by row, read from the dataset
// a block of rows at a time.
class SearchedCells {
public:
    SearchedCells(store::Query& dataSet, std::vector<TDBGridColumn*> columns, bool shownText)
        : m_dataSet(dataSet), m_columns(std::move(columns)), m_shownText(shownText) {
        for (const TDBGridColumn* column : m_columns) {
            const store::Field* field = column->field();
            if (field) {
                m_kinds.push_back(field->kind());
                m_readAt.push_back(static_cast<int>(m_fields.size()));
                m_fields.push_back(field->index());
            } else {
                m_kinds.push_back(store::FieldKind::WideString);
                m_readAt.push_back(-1);
            }
        }
    }

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    TDBGridColumn& column(int index) const { return *m_columns[static_cast<std::size_t>(index)]; }

    // The text compared for a cell: what the cell shows, or the field's value
    // as text; empty for a column without a field.
    QString text(int row, int columnIndex, bool upwards) {
        const int read = m_readAt[static_cast<std::size_t>(columnIndex)];
        if (read < 0)
            return {};
        if (row < m_first || row >= m_first + m_count) {
            m_first = upwards ? std::max(0, row - kBlockRows + 1) : row;
            m_values = m_dataSet.rowValues(m_first, kBlockRows, m_fields);
            m_count = static_cast<int>(m_values.size() / std::max<std::size_t>(1, m_fields.size()));
        }
        const QVariant& value = m_values[static_cast<std::size_t>(row - m_first) * m_fields.size() +
                                         static_cast<std::size_t>(read)];
        const store::FieldKind kind = m_kinds[static_cast<std::size_t>(columnIndex)];
        return m_shownText ? cellDisplayText(kind, value) : store::Field::textOf(value);
    }

private:
    store::Query& m_dataSet;
    std::vector<TDBGridColumn*> m_columns;
    bool m_shownText;
    std::vector<store::FieldKind> m_kinds;  // per column
    std::vector<int> m_readAt;              // per column: its place among the fields read
    std::vector<int> m_fields;              // field indexes read
    std::vector<QVariant> m_values;
    int m_first = 0;
    int m_count = 0;
};

TDBGridColumn* columnOfField(const TDBGridColumns& columns, const QString& fieldName) {
    for (int i = 0; i < columns.count(); ++i) {
        if (columns.at(i).fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return &columns.at(i);
    }
    throw store::Error(QStringLiteral("Field name '%1' not found").arg(fieldName));
}

}  // namespace

bool locateTextInGrid(SearchableGrid& grid, const LocateTextRequest& request) {
    store::Query* dataSet = grid.dataSet();
    if (!dataSet || !dataSet->isActive())
        return false;
    const TDBGridColumns& columns = grid.columns();
    TDBGridColumn* start = request.fieldName.isEmpty() ? grid.currentColumn()
                                                       : columnOfField(columns, request.fieldName);
    const bool allFields = request.options.testFlag(LocateOption::AllFields);
    std::vector<TDBGridColumn*> searched;
    if (allFields) {
        for (int i = 0; i < columns.count(); ++i) {
            if (columns.at(i).visible())
                searched.push_back(&columns.at(i));
        }
    } else if (start) {
        searched.push_back(start);
    }
    if (searched.empty() || !grid.showsWholeDataColumn())
        return false;
    // A hidden current column starts the search at the first visible one.
    const auto startAt = std::find(searched.begin(), searched.end(), start);
    const int startColumn =
        startAt == searched.end() ? 0 : static_cast<int>(startAt - searched.begin());

    // A pending edit is settled as the first move of the search would settle it.
    dataSet->settle();
    const int screenRow = grid.screenRowOfCursor();
    TDBGridColumn* found = nullptr;
    {
        const UpdatesSuspended suspended(*dataSet);
        const int rows = dataSet->rowCount();
        const bool upwards = request.direction == LocateDirection::Up;
        SearchedCells cells(*dataSet, searched,
                            request.options.testFlag(LocateOption::MatchFormat));
        TextMatch match(request.text, request.matching,
                        request.options.testFlag(LocateOption::CaseInsensitive));
        const int lastColumn = cells.columnCount() - 1;
        int row = dataSet->recNo();
        int column = startColumn;
        const auto step = [&] {
            if (!allFields)
                row += upwards ? -1 : 1;
            else if (upwards && --column < 0)
                column = lastColumn, --row;
            else if (!upwards && ++column > lastColumn)
                column = 0, ++row;
        };
        if (request.direction == LocateDirection::All)
            row = 0;
        else
            step();
        for (; row >= 0 && row < rows; step()) {
            if (match.matches(cells.text(row, column, upwards))) {
                found = &cells.column(column);
                dataSet->moveTo(row);
                break;
            }
        }
    }
    // The grid follows the dataset once updates resume.
    if (found)
        grid.setCurrentColumn(*found);
    else if (screenRow >= 0)
        grid.showCursorAtScreenRow(screenRow);
    return found != nullptr;
}

}  // namespace grid
