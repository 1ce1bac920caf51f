// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Hid.h"
#include "platform/Trace.h"

namespace qm {

// Records every report that passes through an opened interface: SET_FEATURE, GET_FEATURE,
// WRITE and READ with the buffer's bytes (as sent, or as received), named a11d, a1dc, pad,
// a11d-event or a1dc-event. Works over the real backend and the virtual devices alike.
class TracingHidBackend : public HidBackend {
public:
    TracingHidBackend(HidBackend& inner, Trace& trace) : m_inner(inner), m_trace(trace) {}
    std::vector<HidInterfaceInfo> Enumerate() override { return m_inner.Enumerate(); }
    std::unique_ptr<HidHandle> Open(const HidInterfaceInfo& info, HidAccess access,
                                    int* error) override;

private:
    HidBackend& m_inner;
    Trace& m_trace;
};

// The trace name of an interface.
std::string TraceName(const HidInterfaceInfo& info);

}  // namespace qm
