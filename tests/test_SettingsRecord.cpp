// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "model/SettingsRecord.h"

namespace qm {
namespace {

using test::Hex;

// The factory bytes as the record layout lists them: offset and bytes written.
struct Written {
    size_t offset;
    const char* hex;
};
const Written kFactory[] = {
    {1, "01 01 01 01 02 02"},
    {7, "0C 18 30 48 6C 90 B4"},   // 600 .. 10800 DPI
    {15, "05 0A 14 28 3C 50 78"},  // 500 .. 12000 DPI
    {23, "01 01 01 01 01 01 01"},
    {31, "01 01 01 01 01 01 01"},
    {39, "FF 00 00 00 00 FF 00 FF 00 FF FF 00 00 FF FF FF 80 00 FF 00 FF 00 00 00"},
    {63, "03 03 04 04 04 04 04 04 04 04"},
    {88, "FF 00 00 FF FF 00 00 FF 00 00 FF FF FF 00 FF 00 FF FF"},
    {112, "01 03 03 04 04 04 04 04 04 04 04"},
    {136, "FF 00 00 FF FF 00 00 FF 00 00 FF FF FF 00 FF 00 FF FF"},
    {160, "01 FF 00 06 03 06 00 00 06 05 05"},
    {171, "00 01 02 11 12 06 06 0D"},
    {179, "0D 0D 0D 0D 0D 01 02 00"},
    {187, "00 02 01 00 00 00 00 00"},
};

TEST(SettingsRecord, FactoryDefaultsWriteExactlyTheFactoryBytesAndNothingElse) {
    SettingsRecord r;
    r.bytes.fill(0xA5);
    ApplyFactoryDefaults(r);

    std::array<uint8_t, rec::kSize> expected;
    expected.fill(0xA5);
    for (const auto& w : kFactory) {
        const auto bytes = Hex(w.hex);
        std::copy(bytes.begin(), bytes.end(), expected.begin() + static_cast<long>(w.offset));
    }
    std::fill(expected.begin() + 195, expected.begin() + 323, uint8_t{0});  // 16 arrays

    for (size_t i = 0; i < rec::kSize; ++i) {
        ASSERT_EQ(r.bytes[i], expected[i]) << "offset " << i;
    }
    // Bytes the factory leaves alone, named: profileIndex, stage 8 entries, the reserved
    // lighting bytes, colours 6 and 7, the macro slots and the last byte.
    for (size_t offset : {0, 14, 22, 30, 38, 73, 87, 106, 111, 123, 135, 154, 159, 323, 1882, 1883}) {
        EXPECT_EQ(r.bytes[offset], 0xA5) << "offset " << offset;
    }
}

TEST(SettingsRecord, DpiCodingOfMouseA11D) {
    struct Case {
        int dpi;
        uint8_t code;
    };
    const Case encode[] = {
        {50, 1},    {600, 12},  {7200, 144},  {7250, 144}, {7300, 145}, {7399, 145},
        {10800, 180}, {12000, 180}, {0, 1},   {-5, 1},     {49, 1},
    };
    for (const auto& c : encode) {
        EXPECT_EQ(EncodeDpiA(c.dpi), c.code) << c.dpi << " DPI";
    }
    EXPECT_EQ(DecodeDpiA(1), 50);
    EXPECT_EQ(DecodeDpiA(144), 7200);
    EXPECT_EQ(DecodeDpiA(145), 7300);
    EXPECT_EQ(DecodeDpiA(180), 10800);
    EXPECT_EQ(DecodeDpiA(181), std::nullopt);
    EXPECT_EQ(DecodeDpiA(255), std::nullopt);
}

TEST(SettingsRecord, DpiCodingOfMouseA1DC) {
    EXPECT_EQ(EncodeDpiB(100), 1);
    EXPECT_EQ(EncodeDpiB(150), 1);
    EXPECT_EQ(EncodeDpiB(12000), 120);
    EXPECT_EQ(EncodeDpiB(50), 1);
    EXPECT_EQ(EncodeDpiB(20000), 120);
    EXPECT_EQ(DecodeDpiB(120), 12000);
    EXPECT_EQ(DecodeDpiB(5), 500);
}

TEST(SettingsRecord, CommitAndRevertCopyTheWholeRecord) {
    SettingsState s;
    ApplyFactoryDefaults(s.record);
    s.record[rec::kMacroSlots + 5] = 0x42;
    s.Commit();
    EXPECT_EQ(s.appliedCopy, s.record);

    s.record[rec::kSensitivityX] = 11;
    s.record[rec::kReserved1883] = 9;
    EXPECT_EQ(s.appliedCopy[rec::kSensitivityX], 5);
    s.Revert();
    EXPECT_EQ(s.record[rec::kSensitivityX], 5);
    EXPECT_EQ(s.record[rec::kReserved1883], 0);
    EXPECT_EQ(s.record[rec::kMacroSlots + 5], 0x42);
}

TEST(SettingsRecord, DoubleClickTimeFollowsTheStep) {
    EXPECT_EQ(DoubleClickTimeMs(1), 900);
    EXPECT_EQ(DoubleClickTimeMs(6), 550);
    EXPECT_EQ(DoubleClickTimeMs(11), 200);
}

}  // namespace
}  // namespace qm
