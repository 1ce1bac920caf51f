// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "macros/KeyNames.h"

namespace qm {
namespace {

TEST(KeyNames, VirtualKeyNames) {
    struct Case {
        uint32_t code;
        const char* name;
    };
    const Case cases[] = {
        {0x08, "Backspace"}, {0x0D, "Enter"},     {0x10, ""},         {0x11, ""},
        {0x2A, ""},          {0x2C, "Prnt Scrn"}, {0x30, "0"},        {0x39, "9"},
        {0x41, "A"},         {0x5A, "Z"},         {0x5B, "Left Windows"}, {0x5D, "App"},
        {0x60, "Num 0"},     {0x69, "Num 9"},     {0x6C, "Num Enter"}, {0x6E, "Num Del"},
        {0x70, "F1"},        {0x7B, "F12"},       {0x7C, ""},         {0xA0, "Shift"},
        {0xA5, "Right Alt"}, {0xBA, ";"},         {0xC0, "`"},        {0xDC, "\\"},
        {0xDE, "'"},         {0xE2, ""},          {0xF1, "L-Button"}, {0xF5, "Button 5"},
        {0xF6, ""},          {0x10041, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetKeyStr(c.code), c.name) << std::hex << c.code;
    }
    int named = 0;
    for (uint32_t code = 0; code < 0x10000; ++code) {
        named += GetKeyStr(code).empty() ? 0 : 1;
    }
    EXPECT_EQ(named, 112);
}

TEST(KeyNames, UsageOfNames) {
    struct Case {
        const char* name;
        uint8_t usage;
    };
    const Case cases[] = {
        {"A", 4},          {"Z", 29},       {"1", 30},         {"9", 38},
        {"0", 39},         {"Enter", 40},   {"F1", 58},        {"F12", 69},
        {"Num 1", 89},     {"Num 9", 97},   {"Num 0", 98},     {"Num Enter", 88},
        {"Eurpo(Note 2)", 50}, {"App", 101}, {"Application", 101}, {"Left GUI", 227},
        {"Left Windows", 227}, {"Ctrl", 224}, {"Right Windows", 231}, {"L-Button", 240},
        {"M-Button", 242}, {"a", 0},        {"Select", 0},     {"Button 4", 0},
        {"", 0},           {"A ", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetKeyUsage(c.name), c.usage) << '"' << c.name << '"';
    }
}

TEST(KeyNames, NamesOfUsages) {
    EXPECT_EQ(GetUsageKeyStr(0x104), "A");
    EXPECT_EQ(GetUsageKeyStr(100), "N/A");
    EXPECT_EQ(GetUsageKeyStr(0), "N/A");
    EXPECT_EQ(GetUsageKeyStr(50), "Eurpo(Note 2)");
    EXPECT_EQ(GetUsageKeyStr(101), "Application");
    EXPECT_EQ(GetUsageKeyStr(242), "M-Button");
    EXPECT_EQ(GetUsageKeyStr(243), "N/A");
    int named = 0;
    for (uint32_t usage = 0; usage < 256; ++usage) {
        named += GetUsageKeyStr(usage) == "N/A" ? 0 : 1;
    }
    EXPECT_EQ(named, 108);
}

TEST(KeyNames, EveryNamedKeyRoundTripsThroughItsUsage) {
    for (uint32_t code = 0; code < 0x100; ++code) {
        const std::string name = GetKeyStr(code);
        if (name.empty()) {
            continue;
        }
        const uint8_t usage = GetKeyUsage(name);
        if (name == "Select" || name == "Execute" || name == "Help" || name == "Button 4" ||
            name == "Button 5") {
            EXPECT_EQ(usage, 0) << name;
        } else if (name == "App") {
            EXPECT_EQ(GetUsageKeyStr(usage), "Application");
        } else {
            ASSERT_NE(usage, 0) << name;
            EXPECT_EQ(GetUsageKeyStr(usage), name);
        }
    }
}

TEST(KeyNames, KeypadEnterIsNamedByItsExtendedFlag) {
    EXPECT_EQ(KeyEventName(0x0D, 0x00), "Enter");
    EXPECT_EQ(KeyEventName(0x0D, 0x80), "Enter");
    EXPECT_EQ(KeyEventName(0x0D, 0x01), "Num Enter");
    EXPECT_EQ(KeyEventName(0x0D, 0x81), "Num Enter");
    EXPECT_EQ(KeyEventName(0x41, 0x01), "A");
    EXPECT_EQ(KeyEventName(0x03, 0x01), "");  // Ctrl+Break has no name
}

}  // namespace
}  // namespace qm
