#pragma once

#include <utility>

#include "grid/confirm/ConfirmationBox.h"

class QWidget;

namespace grid {

// The question asked before a record is deleted: "Delete record?", captioned
// "Confirm". It goes to the confirmer the window sets, or without one to a
// confirmation box over the parent widget.
class DeleteConfirmation {
public:
    explicit DeleteConfirmation(QWidget* parent) : m_parent(parent) {}

    // None restores the confirmation box.
    void setConfirmer(Confirmer confirmer) { m_confirmer = std::move(confirmer); }
    // True when the record may be deleted.
    bool ask() const;

private:
    QWidget* m_parent;
    Confirmer m_confirmer;
};

}  // namespace grid
