#pragma once
// The records of one kind of card, one per fitted card in slot order, plus the default
// record they start from.

#include <cstddef>
#include <optional>
#include <vector>

#include "store/card_inventory.h"

namespace kov {

template <class Record>
class CardTable {
public:
    // Replaces every record by a copy of defaults carrying the card ID and slot of cards[i].
    void Build(const std::vector<CardSlot>& cards, const Record& defaults) {
        default_ = defaults;
        records_.assign(cards.size(), defaults);
        for (std::size_t i = 0; i < cards.size(); ++i) {
            records_[i].cardId = cards[i].cardId;
            records_[i].slot = cards[i].slot;
        }
    }

    // The record with that card ID; card ID 0 is never found.
    Record* Find(int cardId) {
        if (cardId == 0)
            return nullptr;
        for (Record& r : records_) {
            if (r.cardId == cardId)
                return &r;
        }
        return nullptr;
    }
    const Record* Find(int cardId) const { return const_cast<CardTable*>(this)->Find(cardId); }

    std::optional<int> SlotOf(int cardId) const {
        const Record* r = Find(cardId);
        return r ? std::optional<int>(r->slot) : std::nullopt;
    }

    std::size_t Count() const { return records_.size(); }
    Record& At(std::size_t index) { return records_.at(index); }
    const Record& At(std::size_t index) const { return records_.at(index); }
    const std::vector<Record>& Records() const { return records_; }
    std::vector<Record>& Records() { return records_; }

    const Record& Default() const { return default_; }

    void Release() {
        records_.clear();
        default_ = Record{};
    }

private:
    std::vector<Record> records_;
    Record default_;
};

}  // namespace kov
