#pragma once

#include <array>
#include <exception>

#include <QString>
#include <QWidget>

#include "grid/confirm/DeleteConfirmation.h"
#include "grid/navigator/TNavDataLink.h"
#include "grid/navigator/TNavigateBtn.h"

namespace store {
class DataSource;
}  // namespace store

namespace grid {

class TNavButton;

// A strip of buttons that move through, insert, delete, edit, post and
// cancel the records of its data source's dataset. It always holds ten
// buttons in TNavigateBtn order; those not in visibleButtons() are hidden
// and the visible ones share the navigator's width equally, left to right.
// Which buttons are enabled follows the dataset. The navigator and its
// buttons never take the keyboard focus: they are worked with the mouse.
//
// A failing dataset operation is not raised out of the click; it is handed
// to failed(), which the window connects to its error report.
class TDBNavigator : public QWidget {
    Q_OBJECT

public:
    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    // The data source stays attached until it is set to another or none; it
    // must outlive the navigator or be set to none first.
    store::DataSource* dataSource() const { return m_dataLink.dataSource(); }
    void setDataSource(store::DataSource* dataSource);

    TButtonSet visibleButtons() const { return m_visibleButtons; }
    void setVisibleButtons(const TButtonSet& buttons);
    // Whether nbDelete asks "Delete record?" before deleting.
    bool confirmDelete() const { return m_confirmDelete; }
    void setConfirmDelete(bool confirm) { m_confirmDelete = confirm; }
    bool isFlat() const { return m_flat; }
    void setFlat(bool flat);
    // Where the delete question goes; none restores the default, a
    // confirmation message box with the buttons "OK" and "取消".
    void setConfirmer(Confirmer confirmer) {
        m_deleteConfirmation.setConfirmer(std::move(confirmer));
    }

    TNavButton* button(TNavigateBtn index) const { return m_buttons[index]; }

    // Runs a button's operation on the dataset, as a click on it does; does
    // nothing while the data source has no open dataset. Failures propagate.
    void btnClick(TNavigateBtn index);
    // Enables the buttons that the dataset's state allows; all are disabled
    // while the navigator is disabled or has no open dataset.
    void updateButtons();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void failed(std::exception_ptr failure);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layoutButtons();
    void runClick(TNavigateBtn index, bool repeated);

    TNavDataLink m_dataLink{*this};
    std::array<TNavButton*, kNavigateBtnCount> m_buttons{};
    TButtonSet m_visibleButtons;
    bool m_confirmDelete = true;
    bool m_flat = false;
    DeleteConfirmation m_deleteConfirmation{this};
};

}  // namespace grid
