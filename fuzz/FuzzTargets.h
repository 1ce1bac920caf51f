// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/ProfileIni.h"

namespace qm::fuzz {

// The fuzz targets: each takes arbitrary bytes, must neither crash nor hang, and returns
// empty, or what property it found broken. The same bodies run under libFuzzer (fuzz/)
// and, over the seed corpora and every input a fuzzer once found, in the test suite.
struct Target {
    const char* name;  // also the folder of its corpus and regression inputs
    std::string (*run)(const uint8_t* data, size_t size);
};
const std::vector<Target>& Targets();

// What a reader sees of an INI document: its sections in order, each with its keys and
// values. Writing a file back must never change it.
using IniView = std::vector<std::pair<std::string, std::map<std::string, std::string>>>;
IniView Seen(const IniDocument& doc);

// The INI layer: parse, every read, write back; the file must read the same again.
std::string Ini(const uint8_t* data, size_t size);
// A profile folder made of the input (settings file, captions, profile list, macro store,
// the journal of an interrupted profile change): finish the change, load as at start-up,
// check the mark, read the list, describe, save.
std::string Profile(const uint8_t* data, size_t size);
// The macro store: names, macros, the compile at load and the manager's compile.
std::string Macros(const uint8_t* data, size_t size);
// The HID report descriptor parser (no read past the input, no overflow).
std::string Descriptor(const uint8_t* data, size_t size);
// The device side: a mouse upload whose replies and blocks are the input, and stage
// notices with stages and records from it.
std::string Device(const uint8_t* data, size_t size);

}  // namespace qm::fuzz
