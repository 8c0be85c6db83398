#include "grid/model/CellEditRules.h"

#include "grid/columns/TDBGridColumn.h"
#include "store/Field.h"
#include "store/Locale.h"
#include "store/Query.h"

namespace grid {

CellEditRules::CellEditRules(TGridOptions options, TDBGridAllowedOperations allowed,
                             bool gridReadOnly)
    : m_options(options), m_allowed(allowed), m_gridReadOnly(gridReadOnly) {}

bool CellEditRules::canModifyCell(const TDBGridColumn& column, const store::Query* dataSet) const {
    if (m_gridReadOnly || !dataSet || column.readOnly())
        return false;
    const store::Field* field = column.field();
    if (!field || !field->canModify() || field->kind() == store::FieldKind::Memo)
        return false;
    if (!m_allowed.testFlag(alopUpdate) && dataSet->state() != store::DataSetState::Insert)
        return false;
    return !dataSet->isEmpty() || m_allowed.testAnyFlags(alopInsert | alopAppend);
}

bool CellEditRules::canAddRecord(const store::Query& dataSet) const {
    return dataSet.canModify() && !m_gridReadOnly && m_options.testFlag(dgEditing);
}

bool CellEditRules::canInsertRecord(const store::Query& dataSet) const {
    return canAddRecord(dataSet) && m_allowed.testAnyFlags(alopInsert | alopAppend);
}

bool CellEditRules::canAppendRecord(const store::Query& dataSet) const {
    return canAddRecord(dataSet) && m_allowed.testFlag(alopAppend);
}

bool CellEditRules::canDeleteRecord(const store::Query& dataSet) const {
    return !m_gridReadOnly && !dataSet.isEmpty() && dataSet.canModify() &&
           m_allowed.testFlag(alopDelete);
}

bool CellEditRules::canShowEditor() const {
    return m_options.testFlag(dgEditing) && !m_options.testFlag(dgRowSelect);
}

bool CellEditRules::isTabStop(const TDBGridColumn& column) {
    const store::Field* field = column.field();
    return column.visible() && !column.readOnly() && field && !field->isReadOnly();
}

bool CellEditRules::acceptsCharacter(store::FieldKind kind, QChar character) {
    using store::FieldKind;
    const char16_t c = character.unicode();
    const bool digitOrSign = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    switch (kind) {
        case FieldKind::Integer:
        case FieldKind::SmallInt:
        case FieldKind::AutoInc:
            return digitOrSign;
        case FieldKind::BCD:
            return digitOrSign || character == store::Locale::current().decimalSeparator;
        case FieldKind::Float:
            return digitOrSign || character == store::Locale::current().decimalSeparator ||
                   c == u'e' || c == u'E';
        default:
            return true;
    }
}

QString CellEditRules::acceptedText(store::FieldKind kind, const QString& text) {
    QString accepted;
    accepted.reserve(text.size());
    for (const QChar character : text) {
        if ((character.isPrint() || character.isSurrogate()) && acceptsCharacter(kind, character))
            accepted += character;
    }
    return accepted;
}

}  // namespace grid
