// SPDX-License-Identifier: GPL-3.0-or-later
#include "macros/KeyNames.h"

#include <array>

namespace qm {

namespace {

// "F" and 5 as "F5". Built by appending: GCC 12 takes `"F" + std::to_string(n)` for an
// overlapping copy and warns (-Wrestrict) where there is none.
std::string Prefixed(const char* prefix, int number) {
    std::string text(prefix);
    text.append(std::to_string(number));
    return text;
}


struct VkName {
    uint32_t code;
    const char* name;
};

constexpr VkName kVirtualKeys[] = {
    {0x08, "Backspace"},   {0x09, "Tab"},         {0x0D, "Enter"},         {0x13, "Pause"},
    {0x14, "Caps Lock"},   {0x1B, "Esc"},         {0x20, "Space"},         {0x21, "Page Up"},
    {0x22, "Page Down"},   {0x23, "End"},         {0x24, "Home"},          {0x25, "Left"},
    {0x26, "Up"},          {0x27, "Right"},       {0x28, "Down"},          {0x29, "Select"},
    {0x2B, "Execute"},     {0x2C, "Prnt Scrn"},   {0x2D, "Insert"},        {0x2E, "Delete"},
    {0x2F, "Help"},        {0x5B, "Left Windows"}, {0x5C, "Right Windows"}, {0x5D, "App"},
    {0x6A, "Num *"},       {0x6B, "Num +"},       {0x6C, "Num Enter"},     {0x6D, "Num -"},
    {0x6E, "Num Del"},     {0x6F, "Num /"},       {0x90, "Num Lock"},      {0x91, "Scroll Lock"},
    {0xA0, "Shift"},       {0xA1, "Right Shift"}, {0xA2, "Ctrl"},          {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},         {0xA5, "Right Alt"},   {0xBA, ";"},             {0xBB, "="},
    {0xBC, ","},           {0xBD, "-"},           {0xBE, "."},             {0xBF, "/"},
    {0xC0, "`"},           {0xDB, "["},           {0xDC, "\\"},            {0xDD, "]"},
    {0xDE, "'"},           {0xF1, "L-Button"},    {0xF2, "R-Button"},      {0xF3, "M-Button"},
    {0xF4, "Button 4"},    {0xF5, "Button 5"},
};

struct UsageName {
    uint8_t usage;
    const char* name;
};

constexpr UsageName kUsages[] = {
    {40, "Enter"},          {41, "Esc"},          {42, "Backspace"},    {43, "Tab"},
    {44, "Space"},          {45, "-"},            {46, "="},            {47, "["},
    {48, "]"},              {49, "\\"},           {50, "Eurpo(Note 2)"}, {51, ";"},
    {52, "'"},              {53, "`"},            {54, ","},            {55, "."},
    {56, "/"},              {57, "Caps Lock"},    {70, "Prnt Scrn"},    {71, "Scroll Lock"},
    {72, "Pause"},          {73, "Insert"},       {74, "Home"},         {75, "Page Up"},
    {76, "Delete"},         {77, "End"},          {78, "Page Down"},    {79, "Right"},
    {80, "Left"},           {81, "Down"},         {82, "Up"},           {83, "Num Lock"},
    {84, "Num /"},          {85, "Num *"},        {86, "Num -"},        {87, "Num +"},
    {88, "Num Enter"},      {98, "Num 0"},        {99, "Num Del"},      {101, "Application"},
    {224, "Ctrl"},          {225, "Shift"},       {226, "Alt"},         {227, "Left Windows"},
    {228, "Right Ctrl"},    {229, "Right Shift"}, {230, "Right Alt"},   {231, "Right Windows"},
    {240, "L-Button"},      {241, "R-Button"},    {242, "M-Button"},
};

// The usage table as 256 names, with the letter, digit, function-key and keypad ranges.
const std::array<std::string, 256>& UsageNames() {
    static const std::array<std::string, 256> names = [] {
        std::array<std::string, 256> n;
        for (int i = 0; i < 26; ++i) {
            n[static_cast<size_t>(4 + i)] = std::string(1, static_cast<char>('A' + i));
        }
        for (int i = 0; i < 9; ++i) {
            n[static_cast<size_t>(30 + i)] = std::string(1, static_cast<char>('1' + i));
        }
        n[39].assign(1, '0');
        for (int i = 0; i < 12; ++i) {
            n[static_cast<size_t>(58 + i)] = Prefixed("F", i + 1);
        }
        for (int i = 0; i < 9; ++i) {
            n[static_cast<size_t>(89 + i)] = Prefixed("Num ", i + 1);
        }
        for (const auto& entry : kUsages) {
            n[entry.usage] = entry.name;
        }
        return n;
    }();
    return names;
}

}  // namespace

std::string GetKeyStr(uint32_t vk) {
    if (vk >= 0x30 && vk <= 0x39) {
        return std::string(1, static_cast<char>('0' + (vk - 0x30)));
    }
    if (vk >= 0x41 && vk <= 0x5A) {
        return std::string(1, static_cast<char>('A' + (vk - 0x41)));
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return Prefixed("Num ", static_cast<int>(vk - 0x60));
    }
    if (vk >= 0x70 && vk <= 0x7B) {
        return Prefixed("F", static_cast<int>(vk - 0x70 + 1));
    }
    for (const auto& entry : kVirtualKeys) {
        if (entry.code == vk) {
            return entry.name;
        }
    }
    return {};
}

uint8_t GetKeyUsage(const std::string& name) {
    if (name.empty()) {
        return 0;
    }
    const auto& names = UsageNames();
    for (size_t usage = 0; usage < names.size(); ++usage) {
        if (names[usage] == name) {
            return static_cast<uint8_t>(usage);
        }
    }
    if (name == "App") {
        return 101;
    }
    if (name == "Left GUI") {
        return 227;
    }
    return 0;
}

std::string GetUsageKeyStr(uint32_t usage) {
    const std::string& name = UsageNames()[usage & 0xFF];
    return name.empty() ? std::string("N/A") : name;
}

std::string KeyEventName(uint32_t virtualKey, uint32_t flags) {
    if (virtualKey == 0x0D && (flags & kKeyFlagExtended) != 0) {
        virtualKey = 0x6C;
    }
    return GetKeyStr(virtualKey);
}

}  // namespace qm
