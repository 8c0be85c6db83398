#include "grid/navigator/TDBNavigator.h"

#include <algorithm>
#include <utility>

#include <QEvent>

#include "grid/navigator/TNavButton.h"
#include "store/Query.h"

namespace grid {
namespace {

const std::array<const char*, kNavigateBtnCount> kObjectNames{
    "nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
    "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};

const std::array<const char*, kNavigateBtnCount> kHints{
    "First record",  "Prior record", "Next record", "Last record", "Insert record",
    "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data"};

}  // namespace

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent), m_visibleButtons{nbFirst,  nbPrior, nbNext, nbLast,   nbInsert,
                                        nbDelete, nbEdit,  nbPost, nbCancel, nbRefresh} {
    setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < kNavigateBtnCount; ++i) {
        const auto index = static_cast<TNavigateBtn>(i);
        auto* button = new TNavButton(index, this);
        button->setObjectName(QLatin1String(kObjectNames[index]));
        button->setHint(QLatin1String(kHints[index]));
        button->setRepeats(index == nbPrior || index == nbNext);
        connect(button, &TNavButton::clicked, this, [this, index] { runClick(index, false); });
        connect(button, &TNavButton::repeatClicked, this, [this, index] { runClick(index, true); });
        m_buttons[index] = button;
    }
    resize(sizeHint());
    layoutButtons();
    updateButtons();
}

TDBNavigator::~TDBNavigator() = default;

void TDBNavigator::setDataSource(store::DataSource* dataSource) {
    m_dataLink.setDataSource(dataSource);
}

void TDBNavigator::setVisibleButtons(const TButtonSet& buttons) {
    m_visibleButtons = buttons;
    updateGeometry();
    layoutButtons();
}

void TDBNavigator::setFlat(bool flat) {
    m_flat = flat;
    for (TNavButton* button : m_buttons)
        button->setFlat(flat);
}

void TDBNavigator::btnClick(TNavigateBtn index) {
    store::Query* dataSet = m_dataLink.activeDataSet();
    if (!dataSet)
        return;
    switch (index) {
        case nbFirst:
            dataSet->first();
            break;
        case nbPrior:
            dataSet->prior();
            break;
        case nbNext:
            dataSet->next();
            break;
        case nbLast:
            dataSet->last();
            break;
        case nbInsert:
            dataSet->insert();
            break;
        case nbDelete:
            if (m_confirmDelete && !m_deleteConfirmation.ask())
                return;
            // The question may have run an event loop that closed the dataset.
            if (store::Query* current = m_dataLink.activeDataSet())
                current->remove();
            break;
        case nbEdit:
            dataSet->edit();
            break;
        case nbPost:
            dataSet->post();
            break;
        case nbCancel:
            dataSet->cancel();
            break;
        case nbRefresh:
            dataSet->requery();
            break;
    }
}

void TDBNavigator::runClick(TNavigateBtn index, bool repeated) {
    try {
        btnClick(index);
    } catch (...) {
        if (repeated)
            m_buttons[index]->stopRepeating();
        emit failed(std::current_exception());
    }
}

void TDBNavigator::updateButtons() {
    const store::Query* dataSet = isEnabled() ? m_dataLink.activeDataSet() : nullptr;
    std::array<bool, kNavigateBtnCount> enabled{};
    if (dataSet) {
        const bool canModify = dataSet->canModify();
        const bool editing = dataSet->isEditing();
        const bool bof = dataSet->bof();
        const bool eof = dataSet->eof();
        enabled[nbFirst] = enabled[nbPrior] = !bof;
        enabled[nbNext] = enabled[nbLast] = !eof;
        enabled[nbDelete] = canModify && !(bof && eof);
        enabled[nbInsert] = enabled[nbRefresh] = canModify;
        enabled[nbEdit] = canModify && !editing;
        enabled[nbPost] = enabled[nbCancel] = canModify && editing;
    }
    for (int i = 0; i < kNavigateBtnCount; ++i)
        m_buttons[static_cast<std::size_t>(i)]->setEnabled(enabled[static_cast<std::size_t>(i)]);
}

QSize TDBNavigator::sizeHint() const {
    const QSize button = m_buttons[nbFirst]->sizeHint();
    return {button.width() * std::max(m_visibleButtons.size(), 1), button.height()};
}

QSize TDBNavigator::minimumSizeHint() const {
    const QSize button = m_buttons[nbFirst]->minimumSizeHint();
    return {button.width() * std::max(m_visibleButtons.size(), 1), button.height()};
}

void TDBNavigator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutButtons();
}

void TDBNavigator::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateButtons();
}

// The visible buttons share the width equally; what is left over when it
// does not divide stays empty at the right. Hidden buttons wait beyond the
// right edge.
void TDBNavigator::layoutButtons() {
    const int count = std::max(m_visibleButtons.size(), 1);
    const QSize smallest = m_buttons[nbFirst]->minimumSizeHint();
    const int buttonWidth = std::max(width() / count, smallest.width());
    const int buttonHeight = std::max(height(), smallest.height());
    int x = 0;
    for (TNavButton* button : m_buttons) {
        if (m_visibleButtons.contains(button->index())) {
            button->setGeometry(x, 0, buttonWidth, buttonHeight);
            button->setVisible(true);
            x += buttonWidth;
        } else {
            button->setVisible(false);
            button->setGeometry(width() + 1, 0, buttonWidth, buttonHeight);
        }
    }
}

}  // namespace grid
