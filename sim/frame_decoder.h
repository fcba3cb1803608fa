#pragma once
// Cuts the received byte stream into 13-byte frames: a frame starts at 0xED 0xCB; bytes
// before a header, frames with a bad checksum and frames cut off are handed out as rejects.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/frame.h"

namespace kov::sim {

enum class Piece {
    kFrame,        // 13 bytes, header and checksum right
    kBadChecksum,  // 13 bytes from a header whose checksum is wrong
    kBadHeader,    // bytes that do not start with a header (up to 13 per piece)
    kIncomplete,   // a frame that stopped before its 13th byte
};

struct Decoded {
    Piece piece = Piece::kFrame;
    std::vector<std::uint8_t> bytes;
};

class FrameDecoder {
public:
    // Adds bytes and returns the pieces they complete, in stream order.
    std::vector<Decoded> Push(std::span<const std::uint8_t> bytes);

    // Hands out whatever is held back (a partial frame or a few stray bytes), e.g. when the
    // line has gone quiet in the middle of a frame.
    std::optional<Decoded> Flush();

    // True while bytes are held back waiting for the rest of a frame.
    bool HasPending() const { return !pending_.empty(); }

private:
    void Drain(std::vector<Decoded>& out);
    Decoded Take(Piece piece, std::size_t count);

    std::vector<std::uint8_t> pending_;
};

// The frame in a kFrame piece.
CommandFrame ToFrame(const Decoded& decoded);

}  // namespace kov::sim
