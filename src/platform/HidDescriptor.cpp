// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidDescriptor.h"

#include <algorithm>
#include <map>

namespace qm {

namespace {

enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };

struct Globals {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

// Bits declared per (report type, report ID) inside one top-level collection.
struct Collection {
    HidCollectionCaps caps;
    std::map<std::pair<int, uint32_t>, uint64_t> bits;
};

uint16_t ByteLength(uint64_t bits) {
    const uint64_t bytes = (bits + 7) / 8 + 1;
    return static_cast<uint16_t>(std::min<uint64_t>(bytes, 0xFFFF));
}

}  // namespace

HidDescriptorCaps ParseReportDescriptor(const uint8_t* data, size_t size) {
    HidDescriptorCaps result;
    Globals globals;
    std::vector<Globals> stack;
    std::vector<uint32_t> usages;  // local usages since the last main item
    int depth = 0;
    Collection current;
    bool inTopLevel = false;

    const auto finish = [&] {
        for (const auto& [key, bits] : current.bits) {
            uint16_t& length = key.first == 0   ? current.caps.inputReportLength
                               : key.first == 1 ? current.caps.outputReportLength
                                                : current.caps.featureReportLength;
            length = std::max(length, ByteLength(bits));
        }
        result.collections.push_back(current.caps);
        current = Collection{};
        inTopLevel = false;
    };

    size_t pos = 0;
    while (pos < size) {
        const uint8_t prefix = data[pos];
        if (prefix == 0xFE) {  // long item: size, tag, data; carries nothing we need
            if (pos + 2 >= size) {
                break;
            }
            pos += 3 + size_t{data[pos + 1]};
            continue;
        }
        const size_t dataSize = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (pos + 1 + dataSize > size) {
            break;  // truncated item
        }
        uint32_t value = 0;
        for (size_t i = 0; i < dataSize; ++i) {
            value |= uint32_t{data[pos + 1 + i]} << (8 * i);
        }
        const int type = (prefix >> 2) & 0x03;
        const int tag = prefix >> 4;
        pos += 1 + dataSize;

        if (type == kGlobal) {
            switch (tag) {
                case 0: globals.usagePage = value; break;
                case 7: globals.reportSize = value; break;
                case 8:
                    globals.reportId = value;
                    result.numberedReports = true;
                    break;
                case 9: globals.reportCount = value; break;
                case 10: stack.push_back(globals); break;
                case 11:
                    if (!stack.empty()) {
                        globals = stack.back();
                        stack.pop_back();
                    }
                    break;
                default: break;
            }
            continue;
        }
        if (type == kLocal) {
            if (tag == 0) {
                // A 4-byte usage carries its own usage page in the high half.
                usages.push_back(dataSize == 4 ? value : (globals.usagePage << 16) | (value & 0xFFFF));
            }
            continue;
        }
        if (type != kMain) {
            continue;
        }
        switch (tag) {
            case 0xA:  // Collection
                if (depth == 0) {
                    current = Collection{};
                    const uint32_t usage = usages.empty() ? (globals.usagePage << 16) : usages.front();
                    current.caps.usagePage = static_cast<uint16_t>(usage >> 16);
                    current.caps.usage = static_cast<uint16_t>(usage & 0xFFFF);
                    inTopLevel = true;
                }
                ++depth;
                break;
            case 0xC:  // End Collection
                if (depth > 0 && --depth == 0 && inTopLevel) {
                    finish();
                }
                break;
            case 0x8:   // Input
            case 0x9:   // Output
            case 0xB: { // Feature
                if (!inTopLevel) {
                    break;
                }
                const int kind = tag == 0x8 ? 0 : tag == 0x9 ? 1 : 2;
                current.bits[{kind, globals.reportId}] +=
                    uint64_t{globals.reportSize} * globals.reportCount;
                break;
            }
            default:
                break;
        }
        usages.clear();
    }
    result.valid = !result.collections.empty();
    return result;
}

}  // namespace qm
