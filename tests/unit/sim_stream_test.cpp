// The virtual device's byte stream, line pace, frame descriptions and command line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "describe.h"
#include "frame_decoder.h"
#include "link/frame.h"
#include "options.h"
#include "wire_pacer.h"

namespace kov::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

CommandFrame Frame(std::uint8_t address, std::uint8_t command, const Bytes& params = {}) {
    CommandFrame frame = ComposeFrame(address, command, params);
    CompleteChecksum(frame);
    return frame;
}

Bytes BytesOf(const CommandFrame& frame) {
    return Bytes(frame.begin(), frame.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(SimFrameDecoder, ResynchronisesAfterGarbageCutFramesAndBadChecksumsWhateverTheChunking) {
    const Bytes detect = BytesOf(Frame(0x00, 0x20));
    const Bytes capture = BytesOf(Frame(0x81, 0x05, {0x07, 0x80, 0, 0, 0x07, 0x80, 0x04, 0x38}));
    Bytes corrupt = capture;
    corrupt[12] ^= 0xFF;
    const Bytes cut(detect.begin(), detect.begin() + 5);  // the writer went away mid-frame
    const Bytes stream = Concat(
        {{0x00, 0xED, 0x11}, detect, cut, capture, corrupt, detect, Bytes(20, 0x55), detect});

    struct Expected {
        Piece piece;
        std::size_t size;
    };
    const std::vector<Expected> expected = {
        {Piece::kBadHeader, 3},  {Piece::kFrame, 13},       {Piece::kBadChecksum, 13},
        {Piece::kFrame, 13},     {Piece::kBadChecksum, 13}, {Piece::kFrame, 13},
        {Piece::kBadHeader, 13}, {Piece::kBadHeader, 7},    {Piece::kFrame, 13},
    };
    for (std::size_t chunk : {std::size_t{1}, std::size_t{5}, std::size_t{13}, stream.size()}) {
        SCOPED_TRACE(chunk);
        FrameDecoder decoder;
        std::vector<Decoded> pieces;
        for (std::size_t at = 0; at < stream.size(); at += chunk) {
            const std::size_t count = std::min(chunk, stream.size() - at);
            for (Decoded& d : decoder.Push({stream.data() + at, count}))
                pieces.push_back(d);
        }
        ASSERT_EQ(pieces.size(), expected.size());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].piece, expected[i].piece) << i;
            EXPECT_EQ(pieces[i].bytes.size(), expected[i].size) << i;
        }
        EXPECT_EQ(pieces[3].bytes, capture);
        EXPECT_FALSE(decoder.HasPending());
    }
}

TEST(SimFrameDecoder, FlushGivesUpAFrameTheLineStoppedIn) {
    FrameDecoder decoder;
    const Bytes detect = BytesOf(Frame(0x00, 0x20));
    EXPECT_TRUE(decoder.Push({detect.data(), 6}).empty());
    ASSERT_TRUE(decoder.HasPending());
    const auto piece = decoder.Flush();
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->piece, Piece::kIncomplete);
    EXPECT_EQ(piece->bytes.size(), 6u);
    EXPECT_FALSE(decoder.Flush());
    const auto pieces = decoder.Push(detect);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].piece, Piece::kFrame);
}

TEST(SimWirePacer, BytesTakeTenBitTimesEachAndQueueBehindEachOther) {
    using namespace std::chrono;
    WirePacer pacer(kByteTime9600);
    const steady_clock::time_point start{seconds(100)};
    steady_clock::time_point last;
    for (int i = 0; i < 13; ++i)
        last = pacer.Deliver(start);
    const double millis = duration<double, std::milli>(last - start).count();
    EXPECT_NEAR(millis, 13.54, 0.01);
    // A byte arriving after the line went idle starts afresh.
    const auto later = start + seconds(1);
    EXPECT_EQ(pacer.Deliver(later), later + kByteTime9600);
}

TEST(SimDescribe, NamesWhatEachFrameAsks) {
    const std::pair<CommandFrame, std::string> cases[] = {
        {Frame(0x81, 0x05, {0x07, 0x80, 0, 0, 0x07, 0x80, 0x04, 0x38}),
         "set capture window card 129: x=1920 y=0 w=1920 h=1080"},
        {Frame(0x01, 0x05, {0, 0, 0, 0, 0x03, 0xC0, 0x02, 0x1C}),
         "set picture-2 window card 1: x=0 y=0 w=960 h=540"},
        {Frame(0x00, 0x20), "detect cards"},
        {Frame(0x00, 0x01, {0x01, 0x0E}), "recall template 15"},
        {Frame(0x00, 0x00, {0x0A, 0x55, 0x55}), "read clock"},
        {Frame(0x00, 0x00, {0x09, 0x07, 0x07}), "read offline task 7"},
        {Frame(0xF0, 0x11, {0x00, 0x0D}), "select source input side: base map source 13"},
        {Frame(0x80, 0x16, {0x00, 0x01, 0x55, 0x55, 0x55, 0x55, 0x55, 0x05}),
         "fade picture 2 over 5 s"},
        {Frame(0x00, 0x1A, {0x00, 0x1B, 0x9F, 0x08, 0x1E, 0x00, 0x31, 0x22}),
         "write offline task 0: 2013-12-31 08:30:00 cycle=3 days=0x22 template=2"},
        {Frame(0x00, 0x13), "factory reset"},
        {Frame(0x02, 0x03, {0x08, 0x00, 0x02, 0x00, 0x00, 0x00}),
         "set colour temperature card 2: 2"},
        {Frame(0x00, 0x7E), "unknown command 0x7E to all cards"},
    };
    for (const auto& [frame, text] : cases)
        EXPECT_EQ(Describe(frame), text);
}

TEST(SimOptions, ParsesTheCommandLineAndRefusesMistakes) {
    std::string error;
    const auto options = ParseOptions({"--dir", "/tmp/p", "--port", "4", "--rack", "1:1, 2:2,5:129",
                                       "--mb", "3", "--fast", "--fault", "short", "--state", "s"},
                                      error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->dir, "/tmp/p");
    EXPECT_EQ(options->port, 4);
    EXPECT_EQ(options->device.rack, (Rack{1, 2, 0, 0, 129, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(options->device.motherBoardId, 3);
    EXPECT_TRUE(options->fast);
    EXPECT_EQ(options->device.fault, Fault::kShort);
    EXPECT_EQ(options->statePath, "s");

    const auto defaults = ParseOptions({"--port", "1", "--dir", "d"}, error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->device.rack, DefaultRack());
    EXPECT_EQ(defaults->device.fault, Fault::kNone);

    const std::vector<std::vector<std::string>> mistakes = {
        {"--port", "1"},
        {"--dir", "d"},
        {"--dir", "d", "--port", "0"},
        {"--dir", "d", "--port", "100"},
        {"--dir", "d", "--port", "x1"},
        {"--dir", "d", "--port", "1", "--rack", "15:1"},
        {"--dir", "d", "--port", "1", "--rack", "1:256"},
        {"--dir", "d", "--port", "1", "--rack", "1-1"},
        {"--dir", "d", "--port", "1", "--fault", "loud"},
        {"--dir", "d", "--port", "1", "--mb"},
        {"--dir", "d", "--port", "1", "--verbose"},
    };
    for (const auto& args : mistakes) {
        EXPECT_FALSE(ParseOptions(args, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace kov::sim
