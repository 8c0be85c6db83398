#pragma once

namespace grid {

// Settings shared by every grid of the program.
class TDBGridCenter {
public:
    static TDBGridCenter& instance();

    // Whether choosing a value, "(Empty)", "(Not empty)" or "(All)" from a
    // filter cell's dropdown list applies the filter at once; off by
    // default, when Enter applies it.
    bool applyFilterOnCloseUp() const { return m_applyFilterOnCloseUp; }
    void setApplyFilterOnCloseUp(bool apply) { m_applyFilterOnCloseUp = apply; }

private:
    bool m_applyFilterOnCloseUp = false;
};

}  // namespace grid
