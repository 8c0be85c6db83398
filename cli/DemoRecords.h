#pragma once

#include <cstdint>

#include "store/Query.h"

namespace cli {

// Fills the fields of the record being inserted with a realistic, generated
// item listing; the same number always gives the same record.
void fillDemoRecord(store::Query& itemQuery, std::uint32_t number);

}  // namespace cli
