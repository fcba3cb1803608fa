#include "support/full_rack.h"

#include <fstream>

#include "store/card_inventory.h"

namespace kov::test {

std::string WriteFullRackConfiguration(const std::filesystem::path& dir) {
    std::ofstream config(dir / kBoardConfigFileName, std::ios::trunc);
    std::string rack;
    for (int slot = 1; slot <= 14; ++slot) {
        const int id = FullRackCardId(slot);
        config << "[Card Slot " << slot << "]\r\nCard ID=" << id << "\r\n";
        rack += (slot > 1 ? "," : "") + std::to_string(slot) + ":" + std::to_string(id);
    }
    config << "[Mother Board]\r\nMother Board 1 ID=0\r\n";
    return rack;
}

}  // namespace kov::test
