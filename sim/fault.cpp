#include "fault.h"

namespace kov::sim {

std::optional<Fault> ParseFault(std::string_view word) {
    if (word == "silent")
        return Fault::kSilent;
    if (word == "bad-checksum")
        return Fault::kBadChecksum;
    if (word == "short")
        return Fault::kShort;
    return std::nullopt;
}

std::string_view FaultName(Fault fault) {
    switch (fault) {
        case Fault::kNone:
            return "none";
        case Fault::kSilent:
            return "silent";
        case Fault::kBadChecksum:
            return "bad-checksum";
        case Fault::kShort:
            return "short";
    }
    return "none";
}

void ApplyFault(Fault fault, std::vector<std::uint8_t>& reply) {
    if (reply.empty())
        return;
    switch (fault) {
        case Fault::kNone:
            break;
        case Fault::kSilent:
            reply.clear();
            break;
        case Fault::kBadChecksum:
            reply.back() = static_cast<std::uint8_t>(reply.back() + 1);
            break;
        case Fault::kShort:
            reply.resize(reply.size() / 2);
            break;
    }
}

}  // namespace kov::sim
