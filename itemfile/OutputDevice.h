#pragma once

#include <cstddef>

namespace itemfile {

// Where an item file writer puts its bytes: one call per buffer.
class OutputDevice {
public:
    virtual ~OutputDevice() = default;

    // Returns the number of bytes written, or -1 when the write failed.
    virtual long long write(const char* data, std::size_t size) = 0;
};

}  // namespace itemfile
