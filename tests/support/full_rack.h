#pragma once
// A full rack: output cards 1-7 in slots 1-7 and input cards 129-135 in slots 8-14.

#include <filesystem>
#include <string>

namespace kov::test {

inline constexpr int kFullRackOutputCards = 7;

// The card ID in slot 1-14 of the full rack.
inline constexpr int FullRackCardId(int slot) {
    return slot <= kFullRackOutputCards ? slot : 128 + slot - kFullRackOutputCards;
}

// Writes the full rack as "Board Config.ini" into dir and returns the same rack in the
// form of kov-sim's --rack option.
std::string WriteFullRackConfiguration(const std::filesystem::path& dir);

}  // namespace kov::test
