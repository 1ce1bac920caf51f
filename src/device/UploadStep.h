// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace qm {

// The steps an upload reports, per device.
enum class UploadDevice { kMouseA11D, kMouseA1DC, kPad };
enum class UploadStepKind {
    kReportRate,
    kSensitivity,
    kStageColours,
    kDpiStages,
    kButtonTable,
    kMacros,
    kLighting,
    kPadColours,
    kPadEffect,
};
struct UploadStep {
    UploadDevice device;
    UploadStepKind kind;
    bool operator==(const UploadStep&) const = default;
};
// "mouse A11D", "mouse A1DC", "mousepad".
const char* DeviceName(UploadDevice device);
// "mouse A11D: button table", "mousepad: colours" (the command line's progress lines).
std::string DescribeStep(const UploadStep& step);

}  // namespace qm
