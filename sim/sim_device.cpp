#include "sim_device.h"

#include <cstdio>

#include "card_commands.h"
#include "describe.h"
#include "device_clock.h"
#include "device_codes.h"
#include "offline_task.h"
#include "replies.h"

namespace kov::sim {
namespace {

bool IsMotherBoardCommand(std::uint8_t command) {
    return command == code::kQuery || command == code::kWriteTask || command == code::kSetClock;
}

std::string Note(const char* format, int value) {
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string RejectionText(const CommandFrame& frame) {
    if (frame[0] != kHeader1 || frame[1] != kHeader2)
        return "REJECTED bad header";
    char text[64];
    std::snprintf(text, sizeof text, "REJECTED bad checksum (0x%02X, expected 0x%02X)", frame[12],
                  FrameChecksum(frame));
    return text;
}

// How the reply went out, for the description.
std::string ReplyText(Fault fault, std::size_t fullSize) {
    char text[96];
    switch (fault) {
        case Fault::kNone:
            std::snprintf(text, sizeof text, " -> reply %zu bytes", fullSize);
            break;
        case Fault::kSilent:
            std::snprintf(text, sizeof text, " -> reply withheld (fault silent)");
            break;
        case Fault::kBadChecksum:
            std::snprintf(text, sizeof text,
                          " -> reply %zu bytes with a wrong checksum (fault bad-checksum)",
                          fullSize);
            break;
        case Fault::kShort:
            std::snprintf(text, sizeof text, " -> reply cut to %zu of %zu bytes (fault short)",
                          fullSize / 2, fullSize);
            break;
    }
    return text;
}

CardMap CardsOf(const Rack& rack) {
    CardMap cards;
    for (std::uint8_t id : rack) {
        if (id != 0)
            cards[id] = CardState{};
    }
    return cards;
}

}  // namespace

SimDevice::SimDevice(const SimConfig& config, const Clock& clock) : config_(config), clock_(clock) {
    state_.motherBoardId = config.motherBoardId;
    state_.rack = config.rack;
    state_.cards = CardsOf(config.rack);
    state_.clockOffset = LocalTimeOffset(clock_.Now());
}

DateTime SimDevice::ClockNow() const {
    return DeviceTime(state_.clockOffset, clock_.Now());
}

Outcome SimDevice::Handle(const CommandFrame& frame) {
    Outcome outcome;
    if (!IsValidFrame(frame)) {
        ++state_.rejected;
        outcome.description = RejectionText(frame);
        return outcome;
    }
    ++state_.frames;
    state_.lastFrame = frame;
    outcome.accepted = true;

    const std::uint8_t address = frame[2];
    const std::uint8_t command = frame[3];
    std::string note;
    if (IsMotherBoardCommand(command)) {
        note = HandleMotherBoard(frame, outcome.reply);
    } else if (command == code::kDetect) {
        if (address == kAllCards) {
            outcome.reply = DetectReply(state_.rack);
        } else {
            note = "ignored: detection is addressed to 0x00";
        }
    } else if (command == code::kTemplate) {
        note = HandleTemplate(frame);
    } else if (command == code::kFade && address == kFadeGroup) {
        state_.lastFade = Fade{frame[5] + 1, frame[11]};
    } else if (command == code::kReset && address == kAllCards) {
        note = FactoryReset();
    } else {
        note = HandleCardCommand(frame);
    }

    outcome.description = Describe(frame);
    if (!note.empty())
        outcome.description += " (" + note + ")";
    if (!outcome.reply.empty()) {
        outcome.description += ReplyText(config_.fault, outcome.reply.size());
        ApplyFault(config_.fault, outcome.reply);
    }
    return outcome;
}

std::string SimDevice::HandleMotherBoard(const CommandFrame& frame,
                                         std::vector<std::uint8_t>& reply) {
    if (frame[2] != state_.motherBoardId) {
        return Note("ignored: the mother board is ID %d", state_.motherBoardId);
    }
    switch (frame[3]) {
        case code::kQuery:
            return HandleQuery(frame, reply);
        case code::kWriteTask:
            return HandleWriteTask(frame);
        default:
            return HandleSetClock(frame);
    }
}

std::string SimDevice::HandleQuery(const CommandFrame& frame, std::vector<std::uint8_t>& reply) {
    if (frame[4] == kSelectorReadClock) {
        reply = ClockReply(state_.motherBoardId, ClockNow());
        return {};
    }
    if (frame[4] == kSelectorReadTask) {
        const int number = frame[5];
        if (number < kTaskCount) {
            reply = TaskReply(state_.motherBoardId, frame[5], state_.tasks[number]);
            return {};
        }
        reply = TaskReply(state_.motherBoardId, frame[5], OfflineTask{});
        return "no such task, read as empty";
    }
    return "unknown selector, no reply";
}

std::string SimDevice::HandleWriteTask(const CommandFrame& frame) {
    const TaskWrite write = UnpackTask(frame);
    if (write.index >= kTaskCount)
        return "ignored: task number out of range";
    state_.tasks[write.index] = write.task;
    return {};
}

std::string SimDevice::HandleSetClock(const CommandFrame& frame) {
    const DateTime when{2000 + frame[4], frame[5], frame[6], frame[7], frame[8], frame[9]};
    if (!IsValidDateTime(when))
        return "ignored: not a valid date and time";
    state_.clockOffset = OffsetFor(when, clock_.Now());
    return {};
}

std::string SimDevice::HandleTemplate(const CommandFrame& frame) {
    if (frame[2] != kAllCards)
        return "ignored: templates are addressed to 0x00";
    const int index = frame[5];
    if (index >= kTemplateCount)
        return "ignored: template number out of range";
    switch (frame[4]) {
        case kStoreTemplate:
            state_.templates[index] = state_.cards;
            state_.lastStored = index + 1;
            return {};
        case kRecallTemplate: {
            state_.lastRecalled = index + 1;
            const auto& stored = state_.templates[index];
            if (!stored)
                return "template never stored, nothing changed";
            // Only cards still fitted take their stored state back; the counters of auto
            // adjusts and resets keep counting.
            for (auto& [id, card] : state_.cards) {
                const auto found = stored->find(id);
                if (found == stored->end())
                    continue;
                const CardState counters = card;
                card = found->second;
                card.autoAdjusts = counters.autoAdjusts;
                card.resets = counters.resets;
            }
            return {};
        }
        default:
            return "ignored: neither store nor recall";
    }
}

std::string SimDevice::HandleCardCommand(const CommandFrame& frame) {
    const std::uint8_t address = frame[2];
    int targets = 0;
    int applied = 0;
    for (auto& [id, card] : state_.cards) {
        const bool input = IsInputCardId(id);
        const bool addressed =
            id == address || address == kAllCards || (address == kInputSide && input);
        if (!addressed)
            continue;
        ++targets;
        if (ApplyCardCommand(frame, input, card))
            ++applied;
    }
    if (targets == 0)
        return Note("ignored: no card answers address %d", address);
    if (applied == 0)
        return "ignored: not a command for this card";
    if (address == kAllCards || address == kInputSide)
        return Note("applied to %d cards", applied);
    return {};
}

std::string SimDevice::FactoryReset() {
    CommandFrame reset = ComposeFrame(kAllCards, code::kReset);
    for (auto& [id, card] : state_.cards)
        ApplyCardCommand(reset, IsInputCardId(id), card);
    for (auto& stored : state_.templates)
        stored.reset();
    return "every card reset, templates cleared";
}

}  // namespace kov::sim
