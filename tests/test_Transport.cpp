// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "device/Transport.h"
#include "platform/Trace.h"

namespace qm {
namespace {

// Records what crosses the handle; replies with a fixed report.
struct FakeHandle : HidHandle {
    std::vector<std::string> log;
    std::vector<uint8_t> reply = test::Hex("00 81 04 0A 0B 0C 00 00 5F");
    bool fail = false;

    bool SetFeature(const uint8_t* b, size_t n) override {
        log.push_back("set " + HexBytes(b, n));
        return !fail;
    }
    int GetFeature(uint8_t* b, size_t n) override {
        log.push_back("get " + HexBytes(b, n));
        if (fail) {
            return -1;
        }
        std::copy_n(reply.begin(), std::min(n, reply.size()), b);
        return static_cast<int>(std::min(n, reply.size()));
    }
    bool Write(const uint8_t* b, size_t n) override {
        log.push_back("write " + std::to_string(n) + " " + HexBytes(b, 3));
        return !fail;
    }
    int Read(uint8_t* b, size_t n, int) override {
        log.push_back("read " + std::to_string(n));
        if (fail) {
            return -1;
        }
        b[1] = 0xAB;
        return static_cast<int>(n);
    }
    void CancelRead() override {}
};

struct TransportTest : ::testing::Test {
    VirtualClock clock;
    CapturedDebugOutput debug;
    Transport transport{clock, debug};
    FakeHandle handle;
    ReportLengths lengths;
};

TEST(FrameChecksum, ComplementsTheLowByteOfTheSum) {
    EXPECT_EQ(FrameChecksum({0x81, 0, 0, 0, 0, 0, 0, 0x99}), 0x7E);
    EXPECT_EQ(FrameChecksum({0x01, 0x02, 0, 0, 0, 0, 0, 0}), 0xFC);
    EXPECT_EQ(FrameChecksum({0xFF, 0xFF, 0x02, 0, 0, 0, 0, 0}), 0xFF);  // sum 0x200
    EXPECT_EQ(FrameChecksum({0x80, 0x80, 0, 0, 0, 0, 0, 0}), 0xFF);     // sum 0x100
}

TEST_F(TransportTest, CommandWithReply) {
    Frame frame{0x81, 0, 0, 0, 0, 0, 0, 0x55};  // the caller's byte 7 is ignored
    transport.SendCommand(&handle, frame, true, lengths);
    EXPECT_EQ(handle.log, (std::vector<std::string>{"set 00 81 00 00 00 00 00 00 7e",
                                                    "get 00 00 00 00 00 00 00 00 00"}));
    EXPECT_EQ(test::ToHex(frame), "81 04 0A 0B 0C 00 00 5F");
    EXPECT_EQ(clock.Sleeps(), (std::vector<int>{50, 50}));
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Buffer[1]:81,Buffer[2]:04."});
}

TEST_F(TransportTest, A192ByteTransferWritesThreeReports) {
    std::array<uint8_t, 192> data{};
    data[0] = 1;
    data[64] = 2;
    data[128] = 3;
    Frame frame{0x05, 0, 4, 3};
    transport.TransferBlocks(&handle, frame, data.data(), false, data.size(), lengths);
    EXPECT_EQ(handle.log, (std::vector<std::string>{"set 00 05 00 04 03 00 00 00 f3",
                                                    "write 65 00 01 00", "write 65 00 02 00",
                                                    "write 65 00 03 00"}));
    EXPECT_EQ(clock.Sleeps(), (std::vector<int>{50, 100, 100, 100}));
}

TEST_F(TransportTest, A64ByteReadIsOneFeatureReadAndOneInputReport) {
    std::array<uint8_t, 64> data{};
    Frame frame{0x8C, 0, 0, 1};
    transport.TransferBlocks(&handle, frame, data.data(), true, data.size(), lengths);
    EXPECT_EQ(handle.log, (std::vector<std::string>{"set 00 8c 00 00 01 00 00 00 72",
                                                    "get 00 00 00 00 00 00 00 00 00", "read 65"}));
    EXPECT_EQ(data[0], 0xAB);
    EXPECT_EQ(clock.Sleeps(), (std::vector<int>{50, 50, 100}));
}

TEST_F(TransportTest, FailuresAreCountedAndRepliesReadAsZeros) {
    handle.fail = true;
    Frame frame{0x87};
    transport.SendCommand(&handle, frame, true, lengths);
    EXPECT_EQ(test::ToHex(frame), "00 00 00 00 00 00 00 00");
    std::array<uint8_t, 64> data;
    data.fill(0xEE);
    Frame read{0x8C, 0, 0, 1};
    transport.TransferBlocks(&handle, read, data.data(), true, data.size(), lengths);
    EXPECT_EQ(data[5], 0);
    EXPECT_EQ(transport.FailedTransfers(), 5);
    // Pacing stays the same when the device fails.
    EXPECT_EQ(clock.Sleeps(), (std::vector<int>{50, 50, 50, 50, 100}));

    Frame none{0x01};
    transport.SendCommand(nullptr, none, false, lengths);  // no device at all
    EXPECT_EQ(transport.FailedTransfers(), 6);
}

TEST_F(TransportTest, PadFramesCarryNoChecksumAndTheReadBackNoPause) {
    const ReportLengths pad{9, 0, 0};
    transport.SendPadFrame(&handle, {0x08, 0x01, 0x32, 0x04, 0x70, 0x00, 0xFF, 0xFF}, pad);
    transport.ReadPadFrame(&handle, 0x88, pad);
    EXPECT_EQ(handle.log, (std::vector<std::string>{"set 00 08 01 32 04 70 00 ff ff",
                                                    "get 00 88 00 00 00 00 00 00 00"}));
    EXPECT_EQ(clock.Sleeps(), std::vector<int>{50});
}

}  // namespace
}  // namespace qm
