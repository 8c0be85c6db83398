#pragma once

#include <bitset>
#include <initializer_list>

namespace grid {

// The navigator's buttons, in the order it creates them.
enum TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh,
};

constexpr int kNavigateBtnCount = nbRefresh + 1;

// A set of navigator buttons.
class TButtonSet {
public:
    TButtonSet() = default;
    TButtonSet(std::initializer_list<TNavigateBtn> buttons) {
        for (TNavigateBtn button : buttons)
            m_bits.set(button);
    }

    bool contains(TNavigateBtn button) const { return m_bits.test(button); }
    int size() const { return static_cast<int>(m_bits.count()); }
    bool operator==(const TButtonSet& other) const = default;

private:
    std::bitset<kNavigateBtnCount> m_bits;
};

}  // namespace grid
