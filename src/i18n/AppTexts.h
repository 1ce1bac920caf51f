// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace qm {

// Texts of the Linux utility that the interface string table has no entry for: notices,
// messages and progress steps of what this program adds (device permissions, a missing
// updater, the state of an upload). Chosen by the same language codes as UiStrings; any
// other code takes English, so a notice is never empty.
enum class AppText {
    kNotConnected,
    kNoPermission,
    kNoPermissionReplug,
    kNoPermissionHelp,
    kNoPermissionRuleInstalled,
    kNothingSent,
    kNoUpdater,
    kProfileFileProblem,
    kNothingSentOrWritten,
    kUploadIncomplete,
    kDeviceFailures,
    kProfileSavedTryAgain,
    kDeviceMouseA11D,
    kDeviceMouseA1DC,
    kDevicePad,
    kWaitingForUpload,
    kUploadBusy,
    kStartWithDesktop,
    kAutostartEdited,
    kAutostartFailed,
    kRecordingPaused,
    kButtonOk,
    kButtonCancel,
    kButtonYes,
    kButtonNo,
    kPressDpiButton,
    kStepReportRate,
    kStepSensitivity,
    kStepStageColours,
    kStepDpiStages,
    kStepButtons,
    kStepMacros,
    kStepLighting,
    kStepPadColours,
    kStepPadEffect,
    kStepSaving,
    kCount,
};

// The text in the language of `code` ("EN", "DE", "CHS", "CHT"). Texts with "%1" take
// one argument (a folder, a device); kDeviceFailures takes three (device, count, step).
const char* GetAppText(AppText text, std::string_view code);

}  // namespace qm
