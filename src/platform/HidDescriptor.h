// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

// What HidP_GetCaps reports for each top-level collection of a HID report descriptor.
struct HidCollectionCaps {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    // Longest report of each type in bytes, plus one for the report ID; 0 when none.
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    uint16_t featureReportLength = 0;
};

struct HidDescriptorCaps {
    std::vector<HidCollectionCaps> collections;
    bool numberedReports = false;  // the descriptor declares report IDs
    bool valid = false;            // at least one top-level collection was found
};

// Parses a report descriptor. Never reads past `size`; truncated or malformed input gives
// what could be read up to the damage (valid stays false when no collection was closed).
HidDescriptorCaps ParseReportDescriptor(const uint8_t* data, size_t size);

}  // namespace qm
