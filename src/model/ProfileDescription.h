// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "model/ProfileFiles.h"
#include "model/SettingsRecord.h"

namespace qm {

// The record decoded for people: the buttons in the order the mouse's labels run (slot 3
// is button 5, slot 4 button 4) with their captions, the DPI stages on both scales, report
// rate, sensitivity, lighting of mouse and pad, and the pointer options.
std::string DescribeProfile(const SettingsRecord& record, const ButtonCaptions& captions);

// What a slot does, in words ("DPI +", "Multimedia: Volume Up", "Macro 2, runs once").
std::string DescribeButton(const SettingsRecord& record, int slot);

}  // namespace qm
