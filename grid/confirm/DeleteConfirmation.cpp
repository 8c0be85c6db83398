#include "grid/confirm/DeleteConfirmation.h"

#include <QString>

namespace grid {

bool DeleteConfirmation::ask() const {
    const QString caption = QStringLiteral("Confirm");
    const QString text = QStringLiteral("Delete record?");
    return m_confirmer ? m_confirmer(caption, text) : askConfirmation(m_parent, caption, text);
}

}  // namespace grid
