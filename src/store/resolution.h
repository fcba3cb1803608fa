#pragma once
// One row of the resolution table: what a resolution code means.

#include <cstdint>
#include <string>

namespace kov {

struct ResolutionEntry {
    std::uint8_t code = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t refresh = 0;
    std::string label;

    friend bool operator==(const ResolutionEntry&, const ResolutionEntry&) = default;
};

}  // namespace kov
