// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TracingHidBackend.h"

#include "platform/FileUtil.h"

namespace qm {

std::string TraceName(const HidInterfaceInfo& info) {
    std::string name;
    switch (info.productId) {
        case 0xA11D: name = "a11d"; break;
        case 0xA1DC: name = "a1dc"; break;
        case 0xA1C9: name = "pad"; break;
        default: return std::string(BaseName(info.path));
    }
    if (info.usagePage == 0xFF02) {
        name += "-event";
    }
    return name;
}

namespace {

class TracingHandle : public HidHandle {
public:
    TracingHandle(std::unique_ptr<HidHandle> inner, std::string name, Trace& trace)
        : m_inner(std::move(inner)), m_name(std::move(name)), m_trace(trace) {}

    bool SetFeature(const uint8_t* buffer, size_t length) override {
        m_trace.Report(m_name, "SET_FEATURE", buffer, length);
        return Note(m_inner->SetFeature(buffer, length), "SET_FEATURE");
    }
    int GetFeature(uint8_t* buffer, size_t length) override {
        const int n = m_inner->GetFeature(buffer, length);
        if (n < 0) {
            m_trace.Report(m_name, "GET_FEATURE", buffer, length);
            Note(false, "GET_FEATURE");
        } else {
            m_trace.Report(m_name, "GET_FEATURE", buffer, static_cast<size_t>(n) < length ? static_cast<size_t>(n) : length);
        }
        return n;
    }
    bool Write(const uint8_t* buffer, size_t length) override {
        m_trace.Report(m_name, "WRITE", buffer, length);
        return Note(m_inner->Write(buffer, length), "WRITE");
    }
    int Read(uint8_t* buffer, size_t length, int timeoutMs) override {
        const int n = m_inner->Read(buffer, length, timeoutMs);
        if (n > 0) {
            m_trace.Report(m_name, "READ", buffer, static_cast<size_t>(n));
        } else if (n < 0) {
            m_trace.Line(m_name + " READ failed");
        }
        return n;
    }
    void CancelRead() override { m_inner->CancelRead(); }

private:
    bool Note(bool ok, const char* operation) {
        if (!ok) {
            m_trace.Line(m_name + " " + operation + " failed");
        }
        return ok;
    }

    std::unique_ptr<HidHandle> m_inner;
    std::string m_name;
    Trace& m_trace;
};

}  // namespace

std::unique_ptr<HidHandle> TracingHidBackend::Open(const HidInterfaceInfo& info, HidAccess access,
                                                   int* error) {
    std::unique_ptr<HidHandle> inner = m_inner.Open(info, access, error);
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<TracingHandle>(std::move(inner), TraceName(info), m_trace);
}

}  // namespace qm
