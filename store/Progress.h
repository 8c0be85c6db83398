#pragma once

namespace store {

// How a long command reports how far it has come: the operations of the
// progress window. The window implements it; the CLI has a terminal version.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void setPosition(int position) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual int position() const = 0;
    virtual int maximum() const = 0;
    virtual void step() { setPosition(position() + 1); }
    // Shows "当前/总数：" + position + "/" + maximum.
    virtual void showCounts() = 0;
    virtual void show() = 0;
    virtual void close() = 0;
};

// Closes the progress window however a long command ends.
class CloseProgressOnExit {
public:
    explicit CloseProgressOnExit(Progress& progress) : m_progress(progress) {}
    ~CloseProgressOnExit() { m_progress.close(); }
    CloseProgressOnExit(const CloseProgressOnExit&) = delete;
    CloseProgressOnExit& operator=(const CloseProgressOnExit&) = delete;

private:
    Progress& m_progress;
};

}  // namespace store
