#include "link/frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace kov {
namespace {

// Sum of bytes first .. countPos + count, with the byte at skip left out.
unsigned SumWithout(const std::vector<std::uint8_t>& r, std::size_t first, std::size_t countPos,
                    std::size_t skip) {
    unsigned sum = 0;
    for (std::size_t i = first; i <= countPos + r[countPos] && i < r.size(); ++i) {
        if (i != skip)
            sum += r[i];
    }
    return sum;
}

// A reply with `length` data bytes whose filler byte 15 makes the checksum come out right,
// also when the data block reaches the checksum byte itself.
std::vector<std::uint8_t> Reply(std::size_t size, std::uint8_t length) {
    std::vector<std::uint8_t> r(size, 0);
    r[0] = kHeader1;
    r[1] = kHeader2;
    r[17] = length;
    for (std::size_t i = 18; i < size - 1; ++i)
        r[i] = static_cast<std::uint8_t>(i);
    r[size - 1] = 0x42;
    r[15] = static_cast<std::uint8_t>(0x42 - SumWithout(r, 15, 17, 15));
    return r;
}

TEST(Frame, ComposeFillsUnsetBytesAndChecksumCoversBytesTwoToEleven) {
    CommandFrame frame = ComposeFrame(0x00, 0x12);
    CompleteChecksum(frame);
    const CommandFrame expected = {0xED, 0xCB, 0x00, 0x12, 0x55, 0x55, 0x55,
                                   0x55, 0x55, 0x55, 0x55, 0x55, 0xBA};
    EXPECT_EQ(frame, expected);
    EXPECT_TRUE(IsValidFrame(frame));
    frame[7] ^= 1;
    EXPECT_FALSE(IsValidFrame(frame));
}

TEST(Frame, WordsGoHighByteFirstAndKeepTheLowSixteenBits) {
    CommandFrame frame = BlankFrame();
    PutWord(frame, 4, 1920);
    PutWord(frame, 6, 0x12345);
    PutWord(frame, 8, -1);
    EXPECT_EQ(frame[4], 0x07);
    EXPECT_EQ(frame[5], 0x80);
    EXPECT_EQ(frame[6], 0x23);
    EXPECT_EQ(frame[7], 0x45);
    EXPECT_EQ(frame[8], 0xFF);
    EXPECT_EQ(frame[9], 0xFF);
}

struct ReplyCase {
    std::size_t size;
    std::uint8_t length;
    bool accepted;
};

class ReplyLength : public testing::TestWithParam<ReplyCase> {};

TEST_P(ReplyLength, DataLengthMustLeaveRoomForTheChecksum) {
    const ReplyCase c = GetParam();
    EXPECT_EQ(IsValidReply(Reply(c.size, c.length)), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(Replies, ReplyLength,
                         testing::Values(ReplyCase{29, 11, true}, ReplyCase{29, 12, false},
                                         ReplyCase{25, 6, true}, ReplyCase{25, 7, true},
                                         ReplyCase{25, 8, false}, ReplyCase{29, 0, true}));

TEST(Frame, ReplyIsRejectedForBadHeaderChecksumOrSize) {
    auto reply = Reply(25, 6);
    EXPECT_TRUE(IsValidReply(reply));
    auto badHeader = reply;
    badHeader[0] = 0xEE;
    EXPECT_FALSE(IsValidReply(badHeader));
    auto badSum = reply;
    badSum[24] ^= 0x40;
    EXPECT_FALSE(IsValidReply(badSum));
    reply.push_back(0);
    EXPECT_FALSE(IsValidReply(reply));  // 26 bytes is not a plain reply
}

// A status reply whose two checksums agree, balanced through filler bytes 2 and 15.
std::vector<std::uint8_t> StatusReply(std::uint8_t m, std::uint8_t l) {
    std::vector<std::uint8_t> r(26, 0);
    r[0] = kHeader1;
    r[1] = kHeader2;
    for (std::size_t i = 5; i < 25; ++i)
        r[i] = static_cast<std::uint8_t>(i);
    r[4] = m;
    r[17] = l;
    r[25] = 0x42;
    r[15] = static_cast<std::uint8_t>(0x42 - SumWithout(r, 15, 17, 15));
    r[2] = static_cast<std::uint8_t>(0x42 - SumWithout(r, 2, 4, 2));
    return r;
}

TEST(Frame, StatusReplyNeedsBothChecksumsAndBothCountsInRange) {
    EXPECT_TRUE(IsValidStatusReply(StatusReply(1, 0)));
    EXPECT_TRUE(IsValidStatusReply(StatusReply(21, 8)));
    EXPECT_FALSE(IsValidStatusReply(StatusReply(22, 0)));  // slot 1 ID above 21
    EXPECT_FALSE(IsValidStatusReply(StatusReply(1, 9)));   // slot 9 ID above 8
    auto oneSumWrong = StatusReply(3, 2);
    oneSumWrong[16] ^= 1;
    EXPECT_FALSE(IsValidStatusReply(oneSumWrong));
}

}  // namespace
}  // namespace kov
