#include "grid/filterrow/FilterDropDown.h"

#include <algorithm>

#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace grid {

FilterDropDown::FilterDropDown(QWidget* parent)
    : QFrame(parent, Qt::Popup), m_model(this), m_list(new QListView(this)) {
    setObjectName(QStringLiteral("FilterDropDown"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    m_list->setObjectName(QStringLiteral("FilterDropDownList"));
    m_list->setModel(&m_model);
    // Every item has the height of the first: a list of a million values
    // lays out at once.
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setMouseTracking(true);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);
    // The grip sits in the corner under the vertical scroll bar.
    auto* grip = new QSizeGrip(this);
    grip->setObjectName(QStringLiteral("FilterDropDownGrip"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_list);
    layout->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    connect(m_list, &QAbstractItemView::entered, this, [this](const QModelIndex& index) {
        if (index.flags().testFlag(Qt::ItemIsSelectable))
            m_list->setCurrentIndex(index);
    });
}

int FilterDropDown::rowHeight() const {
    const int height = m_list->sizeHintForRow(0);
    return height > 0 ? height : fontMetrics().height();
}

void FilterDropDown::popUp(QWidget& anchor, int width, int rows, int current) {
    m_chosen = false;
    setFont(anchor.font());
    m_list->setFont(anchor.font());
    ensurePolished();
    const int shownRows = std::max(1, std::min(rows > 0 ? rows : kDefaultRows, m_model.rowCount()));
    // The grip's row and the frame are measured once laid out; the list
    // then gets exactly the height of its rows.
    const int listHeight = shownRows * rowHeight();
    const QSize size(width > 0 ? width : kDefaultWidth,
                     listHeight + sizeHint().height() - m_list->sizeHint().height());
    QPoint topLeft = anchor.mapToGlobal(QPoint(0, anchor.height()));
    if (const QScreen* screen = anchor.screen()) {
        const QRect available = screen->availableGeometry();
        if (topLeft.y() + size.height() > available.bottom() &&
            anchor.mapToGlobal(QPoint(0, 0)).y() - size.height() >= available.top())
            topLeft.setY(anchor.mapToGlobal(QPoint(0, 0)).y() - size.height());
        topLeft.setX(std::clamp(topLeft.x(), available.left(),
                                std::max(available.left(), available.right() + 1 - size.width())));
    }
    resize(size);
    move(topLeft);
    if (current >= 0 && current < m_model.rowCount()) {
        m_list->setCurrentIndex(m_model.index(current));
        m_list->scrollTo(m_model.index(current), QAbstractItemView::PositionAtTop);
    } else {
        m_list->setCurrentIndex(QModelIndex());
        m_list->scrollToTop();
    }
    show();
    if (const int missing = listHeight - m_list->viewport()->height())
        resize(size.width(), size.height() + missing);
    m_list->setFocus(Qt::PopupFocusReason);
}

int FilterDropDown::currentWidth() const {
    return width();
}

int FilterDropDown::currentRows() const {
    return std::max(1, m_list->viewport()->height() / std::max(1, rowHeight()));
}

void FilterDropDown::choose(const QModelIndex& index) {
    if (!index.isValid() || !index.flags().testFlag(Qt::ItemIsSelectable))
        return;
    m_chosen = true;
    hide();
    emit chosen(index.row());
}

bool FilterDropDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            choose(m_list->indexAt(mouse->position().toPoint()));
            return true;
        }
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                choose(m_list->currentIndex());
                return true;
            case Qt::Key_Escape:
            case Qt::Key_F4:
                hide();
                return true;
            case Qt::Key_Up:
            case Qt::Key_Down:
                if (key->modifiers().testFlag(Qt::AltModifier)) {
                    hide();
                    return true;
                }
                break;
            default:
                break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FilterDropDown::hideEvent(QHideEvent* event) {
    QFrame::hideEvent(event);
    if (!m_chosen)
        emit dismissed();
}

}  // namespace grid
