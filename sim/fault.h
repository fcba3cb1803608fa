#pragma once
// Misbehaviour on request: a device that stays silent, corrupts its checksums or cuts its
// replies short, so the program's failure paths can be exercised.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kov::sim {

enum class Fault { kNone, kSilent, kBadChecksum, kShort };

// "silent", "bad-checksum" or "short"; nothing for any other word.
std::optional<Fault> ParseFault(std::string_view word);

std::string_view FaultName(Fault fault);

// Silent empties the reply, bad-checksum changes its last byte, short keeps its first half.
void ApplyFault(Fault fault, std::vector<std::uint8_t>& reply);

}  // namespace kov::sim
