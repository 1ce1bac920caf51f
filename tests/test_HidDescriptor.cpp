// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "platform/HidDescriptor.h"

namespace qm {
namespace {

using test::Hex;

// A three-button wheel mouse: 3 button bits, 5 padding bits, X, Y and wheel bytes.
const char* kPlainMouse =
    "05 01 09 02 A1 01 09 01 A1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 01 81 02 "
    "95 01 75 05 81 03 05 01 09 30 09 31 09 38 15 81 25 7F 75 08 95 03 81 06 C0 C0";
// A vendor collection: 8-byte feature reports, 64-byte input and output reports.
const char* kVendorCommand =
    "06 01 FF 09 01 A1 01 09 02 15 00 26 FF 00 75 08 95 08 B1 02 "
    "09 03 95 40 81 02 09 04 95 40 91 02 C0";
// A vendor event collection with numbered reports: ID 4 carries 7 bytes, ID 5 carries 2.
const char* kVendorEvent =
    "06 02 FF 09 01 A1 01 85 04 09 01 75 08 95 07 81 02 85 05 09 02 95 02 81 02 C0";

HidDescriptorCaps Parse(const std::vector<uint8_t>& bytes) {
    return ParseReportDescriptor(bytes.data(), bytes.size());
}

TEST(HidDescriptor, PlainMouse) {
    const HidDescriptorCaps caps = Parse(Hex(kPlainMouse));
    ASSERT_TRUE(caps.valid);
    ASSERT_EQ(caps.collections.size(), 1u);
    const HidCollectionCaps& c = caps.collections[0];
    EXPECT_EQ(c.usagePage, 0x0001);
    EXPECT_EQ(c.usage, 0x0002);
    EXPECT_EQ(c.inputReportLength, 5);  // 4 bytes + the report ID byte Windows counts
    EXPECT_EQ(c.outputReportLength, 0);
    EXPECT_EQ(c.featureReportLength, 0);
    EXPECT_FALSE(caps.numberedReports);
}

TEST(HidDescriptor, VendorCollectionWith8ByteFeatureReports) {
    const HidDescriptorCaps caps = Parse(Hex(kVendorCommand));
    ASSERT_EQ(caps.collections.size(), 1u);
    const HidCollectionCaps& c = caps.collections[0];
    EXPECT_EQ(c.usagePage, 0xFF01);
    EXPECT_EQ(c.usage, 0x0001);
    EXPECT_EQ(c.featureReportLength, 9);
    EXPECT_EQ(c.inputReportLength, 65);
    EXPECT_EQ(c.outputReportLength, 65);
}

TEST(HidDescriptor, SeveralTopLevelCollectionsAndNumberedReports) {
    std::vector<uint8_t> all = Hex(kPlainMouse);
    for (const char* part : {kVendorCommand, kVendorEvent}) {
        const auto bytes = Hex(part);
        all.insert(all.end(), bytes.begin(), bytes.end());
    }
    const HidDescriptorCaps caps = Parse(all);
    ASSERT_EQ(caps.collections.size(), 3u);
    EXPECT_EQ(caps.collections[0].usage, 0x0002);
    EXPECT_EQ(caps.collections[1].featureReportLength, 9);
    EXPECT_EQ(caps.collections[2].usagePage, 0xFF02);
    EXPECT_EQ(caps.collections[2].inputReportLength, 8);  // the longest report, ID included
    EXPECT_TRUE(caps.numberedReports);
}

TEST(HidDescriptor, UsagesWithTheirOwnPageAndLongItems) {
    // A 4-byte usage names page 0xFF00 and usage 0xFF00; a long item is skipped whole.
    const HidDescriptorCaps caps =
        Parse(Hex("0B 00 FF 00 FF A1 01 FE 02 10 AA BB 75 08 95 08 B1 02 C0"));
    ASSERT_EQ(caps.collections.size(), 1u);
    EXPECT_EQ(caps.collections[0].usagePage, 0xFF00);
    EXPECT_EQ(caps.collections[0].usage, 0xFF00);
    EXPECT_EQ(caps.collections[0].featureReportLength, 9);
}

TEST(HidDescriptor, TruncatedAndGarbageInputNeverReadsPastTheEnd) {
    const std::vector<uint8_t> full = Hex(kVendorCommand);
    for (size_t n = 0; n < full.size(); ++n) {
        // Exactly n bytes on the heap: a read past them is caught by the sanitizer.
        std::unique_ptr<uint8_t[]> cut(new uint8_t[n == 0 ? 1 : n]);
        std::copy_n(full.begin(), n, cut.get());
        const HidDescriptorCaps caps = ParseReportDescriptor(cut.get(), n);
        EXPECT_FALSE(caps.valid) << n;  // the collection never closes
    }
    uint32_t x = 7;
    for (int round = 0; round < 2000; ++round) {
        const size_t n = 1 + round % 97;
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[n]);
        for (size_t i = 0; i < n; ++i) {
            x = x * 1664525 + 1013904223;
            bytes[i] = static_cast<uint8_t>(x >> 24);
        }
        (void)ParseReportDescriptor(bytes.get(), n);
    }
    // A long item whose stated size runs past the end.
    const auto longItem = Hex("FE FF 01 02");
    EXPECT_FALSE(Parse(longItem).valid);
}

}  // namespace
}  // namespace qm
