// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "macros/MacroStore.h"
#include "model/SettingsRecord.h"
#include "platform/DebugOutput.h"

namespace qm {

// Compiled macro layout: loop count (16-bit big-endian), the first press (first-event
// byte, usage), then further events of 4 bytes each: marker (0x7F press, 0xFF release),
// usage, pause before the event in ms (16-bit big-endian).
constexpr uint8_t kFirstEventOnLoad = 0x05;     // compile when a profile is loaded or applied
constexpr uint8_t kFirstEventOnManager = 0x32;  // compile of the macro manager's OK
constexpr uint8_t kMarkerPress = 0x7F;
constexpr uint8_t kMarkerRelease = 0xFF;

// Compiles one macro into `slot`. Nothing is ever written outside the slot:
//  - `partialLastEvent`: the bytes of an event that fit are written, the rest dropped
//    (a 130-byte record slot keeps marker and usage of a 32nd further event);
//  - otherwise an event that does not fit whole is dropped.
// A macro whose first item is not a press starts its events at byte 2. `itemCount` is the
// stored "ItemCount": 0 clears bytes 0..127, loop count included.
void CompileMacro(std::span<uint8_t> slot, int loopCount, int itemCount,
                  const std::vector<std::string>& items, uint8_t firstEventByte,
                  bool partialLastEvent);

// CompileMacros: fills the record's macro slots from the store when a profile is loaded
// or applied. Missing store: nothing happens. Slots past the stored macros keep their
// contents.
void CompileMacros(const MacroStore& store, SettingsRecord& record, DebugOutput& debug);

// The macro manager's compile on OK (OnBnMacroSave): twelve 508-byte slots, all cleared
// first, filled from the store. nullopt (nothing compiled) when the store is missing or
// the manager's name list is empty.
constexpr size_t kCompileSlotSize = 508;
using CompileSlots = std::array<std::array<uint8_t, kCompileSlotSize>, rec::kMacroSlotCount>;
std::optional<CompileSlots> OnBnMacroSave(const MacroStore& store, int nameListCount,
                                          int nameListSelection, DebugOutput& debug);
// Copies bytes 0..129 of each compile slot into the record's macro slots.
void CopyCompileSlots(const CompileSlots& slots, SettingsRecord& record);

}  // namespace qm
