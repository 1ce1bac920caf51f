// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Hid.h"

namespace qm {

// The real devices, through hidapi's hidraw backend. Report lengths and usages come from
// each node's report descriptor, read from sysfs beside the hidraw node.
class HidapiBackend : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const HidInterfaceInfo& info, HidAccess access,
                                    int* error) override;
};

}  // namespace qm
