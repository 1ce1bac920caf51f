// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/VirtualDevices.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>
#include <sys/eventfd.h>

#include "platform/Format.h"
#include <unistd.h>

namespace qm {

namespace {

constexpr uint16_t kVendor = 0x04D9;
constexpr uint16_t kPad = 0xA1C9;

uint8_t Checksum(const uint8_t* frame) {
    unsigned sum = 0;
    for (int i = 0; i < 7; ++i) {
        sum += frame[i];
    }
    return static_cast<uint8_t>(0xFF - (sum & 0xFF));
}

std::array<uint8_t, 8> Reply(std::initializer_list<uint8_t> bytes) {
    std::array<uint8_t, 8> r{};
    std::copy(bytes.begin(), bytes.end(), r.begin());
    r[7] = Checksum(r.data());
    return r;
}

const char* ProductName(uint16_t productId) {
    switch (productId) {
        case 0xA11D: return "a11d";
        case 0xA1DC: return "a1dc";
        default: return "pad";
    }
}

}  // namespace

bool ParseFault(const std::string& text, std::map<uint16_t, VirtualFaults>& all, uint16_t& productId,
                std::string& error) {
    const size_t colon = text.find(':');
    const std::string device = text.substr(0, colon);
    if (device == "a11d") {
        productId = 0xA11D;
    } else if (device == "a1dc") {
        productId = 0xA1DC;
    } else if (device == "pad") {
        productId = kPad;
    } else {
        error = "--fault " + text + ": the device is a11d, a1dc or pad";
        return false;
    }
    VirtualFaults faults = all[productId];
    const std::string fault = colon == std::string::npos ? std::string{} : text.substr(colon + 1);
    const size_t equals = fault.find('=');
    const std::string name = fault.substr(0, equals);
    int n = -1;
    if (equals != std::string::npos) {
        const std::string digits = fault.substr(equals + 1);
        if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) {
            error = "--fault " + text + ": N is a number of reports (0..999999)";
            return false;
        }
        n = std::stoi(digits);
    }
    if (name == "vanish-after") {
        if (n < 0) {
            error = "--fault " + text + ": vanish-after needs =N (reports before the device goes)";
            return false;
        }
        faults.vanishAfterOperations = n;
        all[productId] = faults;
        return true;
    }
    bool* flag = name == "refuse-open"     ? &faults.refuseOpen
                 : name == "short-read"    ? &faults.shortReads
                 : name == "stall"         ? &faults.stall
                 : name == "garbage-reply" ? &faults.garbageReplies
                 : name == "eio"           ? &faults.eio
                                           : nullptr;
    if (flag == nullptr || (name == "refuse-open" && n >= 0)) {
        error = "--fault " + text +
                ": the fault is vanish-after=N, refuse-open, short-read[=N], stall[=N], garbage-reply[=N] or "
                "eio[=N] (N: reports that go well first)";
        return false;
    }
    *flag = true;
    if (n >= 0) {
        faults.faultAfter = n;
    }
    all[productId] = faults;
    return true;
}

struct VirtualDevices::Device {
    uint16_t productId = 0;
    uint16_t version = 0;
    VirtualFaults faults;
    int generation = 0;
    int operations = 0;
    VirtualMouseState mouse;
    VirtualPadState pad;
    std::array<uint8_t, 8> reply{};
    uint8_t pendingCommand = 0;
    int pendingBlocks = 0;
    int receivedBlocks = 0;
    uint8_t pendingIndex = 0;
    std::vector<uint8_t> pendingData;
    std::deque<std::vector<uint8_t>> commandInput;
    std::deque<std::vector<uint8_t>> eventInput;
    // Pacing: the tick before which the next report comes too soon.
    bool paced = false;
    uint32_t readyAt = 0;
    uint32_t garbage = 0x517;

    bool IsPad() const { return productId == kPad; }
    size_t FeatureLength() const { return !IsPad() && faults.featureLength8 ? 8 : 9; }
    uint8_t NextGarbage() {
        garbage = garbage * 1103515245u + 12345u;
        return static_cast<uint8_t>(garbage >> 16);
    }
};

class VirtualHandle : public HidHandle {
public:
    VirtualHandle(VirtualDevices& owner, uint16_t productId, VirtualDevices::Role role, int generation, bool writable)
        : m_owner(owner), m_productId(productId), m_role(role), m_generation(generation), m_writable(writable) {}
    ~VirtualHandle() override {
        std::lock_guard lock(m_owner.m_mutex);
        --m_owner.m_openHandles;
    }
    bool SetFeature(const uint8_t* buffer, size_t length) override {
        return m_owner.SetFeature(m_generation, m_productId, m_role, m_writable, buffer, length);
    }
    int GetFeature(uint8_t* buffer, size_t length) override {
        return m_owner.GetFeature(m_generation, m_productId, m_role, buffer, length);
    }
    bool Write(const uint8_t* buffer, size_t length) override {
        return m_owner.Write(m_generation, m_productId, m_role, m_writable, buffer, length);
    }
    int Read(uint8_t* buffer, size_t length, int timeoutMs) override {
        return m_owner.Read(m_generation, m_productId, m_role, buffer, length, timeoutMs, m_cancelled);
    }
    void CancelRead() override {
        std::lock_guard lock(m_owner.m_mutex);
        m_cancelled = true;
        m_owner.m_wake.notify_all();
    }

private:
    VirtualDevices& m_owner;
    uint16_t m_productId;
    VirtualDevices::Role m_role;
    int m_generation;
    bool m_writable;
    bool m_cancelled = false;  // guarded by the owner's mutex
};

VirtualDevices::VirtualDevices() {
    m_eventFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
}

VirtualDevices::~VirtualDevices() {
    if (m_eventFd >= 0) {
        ::close(m_eventFd);
    }
}

VirtualDevices::Device* VirtualDevices::Find(uint16_t productId) {
    const auto it = m_devices.find(productId);
    return it == m_devices.end() ? nullptr : it->second.get();
}

const VirtualDevices::Device* VirtualDevices::Find(uint16_t productId) const {
    const auto it = m_devices.find(productId);
    return it == m_devices.end() ? nullptr : it->second.get();
}

void VirtualDevices::Notify(uint32_t event, uint16_t productId) {
    const std::vector<const char*> roles =
        productId == kPad ? std::vector<const char*>{"pad"}
                          : std::vector<const char*>{"mouse", "event", "command"};
    for (const char* role : roles) {
        m_notices.push_back(DeviceNotice{
            event, kDbtDevTypDeviceInterface,
            DeviceInterfaceName(kVendor, productId, std::string("virtual-") + ProductName(productId) + "-" + role)});
    }
    if (m_eventFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_eventFd, &one, sizeof one);
    }
}

void VirtualDevices::Plug(uint16_t productId, uint16_t version, const VirtualFaults& faults) {
    std::lock_guard lock(m_mutex);
    auto device = std::make_unique<Device>();
    device->productId = productId;
    device->version = version != 0 ? version
                      : productId == 0xA11D ? kDefaultVersionA11D
                      : productId == 0xA1DC ? kDefaultVersionA1DC
                                            : kDefaultVersionPad;
    device->faults = faults;
    device->generation = m_nextGeneration++;
    // The mouse's own lighting colours, and bytes past them the program must send as zero.
    for (size_t i = 0; i < 64; ++i) {
        device->mouse.lightColourBlock[i] = i < 24 ? static_cast<uint8_t>(0x10 + i) : 0x5A;
    }
    m_devices[productId] = std::move(device);
    Notify(kDbtDeviceArrival, productId);
    m_wake.notify_all();
}

void VirtualDevices::UnplugLocked(uint16_t productId) {
    if (m_devices.erase(productId) != 0) {
        Notify(kDbtDeviceRemoveComplete, productId);
        m_wake.notify_all();
    }
}

void VirtualDevices::Unplug(uint16_t productId) {
    std::lock_guard lock(m_mutex);
    UnplugLocked(productId);
}

bool VirtualDevices::IsPlugged(uint16_t productId) const {
    std::lock_guard lock(m_mutex);
    return Find(productId) != nullptr;
}

void VirtualDevices::PressDpiButton(uint16_t productId) {
    std::lock_guard lock(m_mutex);
    Device* d = Find(productId);
    if (d == nullptr || d->IsPad()) {
        return;
    }
    VirtualMouseState& m = d->mouse;
    for (int step = 1; step <= 7; ++step) {
        const int stage = (m.currentStage + step) % 7;
        if ((m.stageMask & (1u << stage)) != 0) {
            m.currentStage = static_cast<uint8_t>(stage);
            break;
        }
    }
    if (d->faults.garbageEvents) {
        d->eventInput.push_back({0x05, 0x01, 0x00, m.currentStage, 0, 0, 0, 0});
    }
    std::vector<uint8_t> report{0x04, 0x01, 0x00, m.currentStage, 0, 0, 0, 0};
    if (d->faults.shortEvents) {
        report.resize(3);
    }
    d->eventInput.push_back(report);
    m_wake.notify_all();
}

void VirtualDevices::SendEventReport(uint16_t productId, std::vector<uint8_t> report) {
    std::lock_guard lock(m_mutex);
    if (Device* d = Find(productId)) {
        d->eventInput.push_back(std::move(report));
        m_wake.notify_all();
    }
}

VirtualMouseState VirtualDevices::MouseState(uint16_t productId) const {
    std::lock_guard lock(m_mutex);
    const Device* d = Find(productId);
    return d != nullptr ? d->mouse : VirtualMouseState{};
}

VirtualPadState VirtualDevices::PadState() const {
    std::lock_guard lock(m_mutex);
    const Device* d = Find(kPad);
    return d != nullptr ? d->pad : VirtualPadState{};
}

int VirtualDevices::OpenHandles() const {
    std::lock_guard lock(m_mutex);
    return m_openHandles;
}

VirtualTrafficErrors VirtualDevices::TrafficErrors() const {
    std::lock_guard lock(m_mutex);
    return m_errors;
}

void VirtualDevices::ClearTrafficErrors() {
    std::lock_guard lock(m_mutex);
    m_errors = {};
}

void VirtualDevices::WaitForBlockedReads(int count) const {
    std::unique_lock lock(m_mutex);
    m_blockedChanged.wait(lock, [&] { return m_blockedReads >= count; });
}

Clock& VirtualDevices::ClockOf() {
    static RealClock steady;
    return m_clock != nullptr ? *m_clock : steady;
}

uint32_t VirtualDevices::Now() {
    return ClockOf().TickCount();
}

void VirtualDevices::NoteError(int VirtualTrafficErrors::*counter, const Device& d, const std::string& what) {
    ++(m_errors.*counter);
    if (m_errors.details.size() < 20) {
        m_errors.details.push_back(std::string(ProductName(d.productId)) + ": " + what);
    }
}

bool VirtualDevices::Active(const Device& d) const {
    return d.operations > d.faults.faultAfter;
}

void VirtualDevices::Faulty(const Device& d, const char* what, const char* fault) {
    if (m_debug != nullptr) {
        m_debug->Write(Format("virtual %s: fault %s: %s (report %d)\n", ProductName(d.productId), fault, what,
                              d.operations));
    }
}

void VirtualDevices::PauseAfter(Device& d, int milliseconds) {
    d.readyAt = Now() + static_cast<uint32_t>(milliseconds);
    d.paced = true;
}

std::vector<HidInterfaceInfo> VirtualDevices::Enumerate() {
    std::lock_guard lock(m_mutex);
    std::vector<HidInterfaceInfo> list;
    for (const auto& [productId, d] : m_devices) {
        HidInterfaceInfo base;
        base.vendorId = kVendor;
        base.productId = productId;
        base.versionNumber = d->version;
        base.queryError = d->faults.refuseQuery ? EACCES : 0;
        const std::string prefix = std::string("virtual/") + ProductName(productId) + "/";
        if (d->IsPad()) {
            HidInterfaceInfo pad = base;
            pad.path = prefix + "pad";
            pad.usagePage = 0xFF00;
            pad.usage = 0xFF00;
            pad.featureReportLength = 9;
            list.push_back(pad);
            continue;
        }
        HidInterfaceInfo pointer = base;  // the plain mouse collection the system drives
        pointer.path = prefix + "mouse";
        pointer.usagePage = 0x0001;
        pointer.usage = 0x0002;
        pointer.inputReportLength = 8;
        list.push_back(pointer);
        HidInterfaceInfo event = base;
        event.path = prefix + "event";
        event.usagePage = 0xFF02;
        event.usage = 0x0001;
        event.inputReportLength = 8;
        event.numberedReports = true;
        list.push_back(event);
        if (!d->faults.noCommandInterface) {
            HidInterfaceInfo command = base;
            command.path = prefix + "command";
            command.usagePage = 0xFF01;
            command.usage = 0x0001;
            command.featureReportLength = d->faults.featureLength8 ? 8 : 9;
            command.inputReportLength = d->faults.blockReportLength;
            command.outputReportLength = d->faults.blockReportLength;
            list.push_back(command);
        }
    }
    return list;
}

std::unique_ptr<HidHandle> VirtualDevices::Open(const HidInterfaceInfo& info, HidAccess access,
                                                int* error) {
    std::lock_guard lock(m_mutex);
    Device* d = Find(info.productId);
    if (d == nullptr) {
        *error = ENOENT;
        return nullptr;
    }
    if (d->faults.refuseOpen) {
        *error = EACCES;
        return nullptr;
    }
    Role role = Role::kPointer;
    if (info.path.ends_with("/command")) {
        role = Role::kCommand;
    } else if (info.path.ends_with("/event")) {
        role = Role::kEvent;
    } else if (info.path.ends_with("/pad")) {
        role = Role::kPad;
    }
    *error = 0;
    ++m_openHandles;
    return std::make_unique<VirtualHandle>(*this, info.productId, role, d->generation, access != HidAccess::kRead);
}

std::vector<DeviceNotice> VirtualDevices::ReadNotices() {
    std::lock_guard lock(m_mutex);
    if (m_eventFd >= 0) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_eventFd, &count, sizeof count);
    }
    std::vector<DeviceNotice> notices(m_notices.begin(), m_notices.end());
    m_notices.clear();
    return notices;
}

bool VirtualDevices::CountOperation(Device& d, const char* what) {
    ++d.operations;
    if (d.faults.vanishAfterOperations >= 0 && d.operations > d.faults.vanishAfterOperations) {
        Faulty(d, what, "vanish-after");
        UnplugLocked(d.productId);
        return false;
    }
    const uint32_t now = Now();
    if (d.paced && static_cast<int32_t>(now - d.readyAt) < 0) {
        NoteError(&VirtualTrafficErrors::pacingViolations, d,
                  Format("%s (report %d) came %d ms too soon", what, d.operations,
                         static_cast<int>(d.readyAt - now)));
    }
    d.paced = false;
    return true;
}

bool VirtualDevices::SetFeature(int generation, uint16_t productId, Role role, bool writable,
                                const uint8_t* data, size_t length) {
    std::lock_guard lock(m_mutex);
    Device* d = Find(productId);
    if (d == nullptr || d->generation != generation || !CountOperation(*d, "SET_FEATURE")) {
        return false;
    }
    if (role != Role::kCommand && role != Role::kPad) {
        if (!d->IsPad()) {
            ++d->mouse.protocolErrors;
        }
        return false;
    }
    if (!writable || length != d->FeatureLength() || data[0] != 0) {
        NoteError(&VirtualTrafficErrors::refusedReports, *d,
                  !writable ? std::string("SET_FEATURE on a handle opened for reading")
                            : Format("SET_FEATURE of %zu bytes (the report has %zu)", length, d->FeatureLength()));
        return false;
    }
    if (Active(*d) && (d->faults.eio || d->faults.stall)) {
        Faulty(*d, "SET_FEATURE", d->faults.eio ? "eio" : "stall");
        PauseAfter(*d, 50);
        return false;
    }
    if (d->IsPad()) {
        PadCommand(*d, data + 1);
        PauseAfter(*d, 50);
    } else {
        MouseCommand(*d, data + 1);
        // The sensitivity takes the mouse a second pause.
        PauseAfter(*d, data[1] == 0x0B ? 100 : 50);
    }
    return true;
}

int VirtualDevices::GetFeature(int generation, uint16_t productId, Role role, uint8_t* data, size_t length) {
    std::lock_guard lock(m_mutex);
    Device* d = Find(productId);
    if (d == nullptr || d->generation != generation || !CountOperation(*d, "GET_FEATURE")) {
        return -1;
    }
    if (role != Role::kCommand && role != Role::kPad) {
        return -1;
    }
    if (length != d->FeatureLength()) {
        NoteError(&VirtualTrafficErrors::refusedReports, *d,
                  Format("GET_FEATURE of %zu bytes (the report has %zu)", length, d->FeatureLength()));
        return -1;
    }
    // The pad's read-back ends its sequence: nothing follows that it must wait for.
    PauseAfter(*d, d->IsPad() ? 0 : 50);
    if (Active(*d) && (d->faults.eio || d->faults.stall)) {
        Faulty(*d, "GET_FEATURE", d->faults.eio ? "eio" : "stall");
        return -1;
    }
    std::fill(data, data + length, 0);
    if (Active(*d) && d->faults.garbageReplies) {
        Faulty(*d, "GET_FEATURE", "garbage-reply");
        for (size_t i = 1; i < length; ++i) {
            data[i] = d->NextGarbage();
        }
        return static_cast<int>(length);
    }
    if (!d->faults.zeroReplies) {
        std::copy_n(d->reply.begin(), std::min<size_t>(d->reply.size(), length - 1), data + 1);
    }
    if (Active(*d) && d->faults.shortReads) {
        Faulty(*d, "GET_FEATURE", "short-read");
        std::fill(data + 3, data + length, 0);
        return 3;
    }
    return static_cast<int>(length);
}

bool VirtualDevices::Write(int generation, uint16_t productId, Role role, bool writable, const uint8_t* data,
                           size_t length) {
    std::lock_guard lock(m_mutex);
    Device* d = Find(productId);
    if (d == nullptr || d->generation != generation || !CountOperation(*d, "WRITE")) {
        return false;
    }
    VirtualMouseState& m = d->mouse;
    if (role != Role::kCommand) {
        ++m.protocolErrors;
        return false;
    }
    if (!writable || length != d->faults.blockReportLength || data[0] != 0) {
        NoteError(&VirtualTrafficErrors::refusedReports, *d,
                  !writable ? std::string("WRITE on a handle opened for reading")
                            : Format("WRITE of %zu bytes (the report has %u)", length, d->faults.blockReportLength));
        return false;
    }
    PauseAfter(*d, 100);
    if (Active(*d) && (d->faults.eio || d->faults.stall)) {
        Faulty(*d, "WRITE", d->faults.eio ? "eio" : "stall");
        return false;
    }
    if (d->receivedBlocks >= d->pendingBlocks) {
        ++m.protocolErrors;  // a block no command asked for
        return false;
    }
    d->pendingData.insert(d->pendingData.end(), data + 1, data + 65);
    if (++d->receivedBlocks < d->pendingBlocks) {
        return true;
    }
    const std::vector<uint8_t>& in = d->pendingData;
    switch (d->pendingCommand) {
        case 0x0A: std::copy_n(in.begin(), 64, m.stageColours.begin()); break;
        case 0x03: std::copy_n(in.begin(), 64, m.buttonTable.begin()); break;
        case 0x0C: std::copy_n(in.begin(), 64, m.lightColourBlock.begin()); break;
        case 0x05:
            if (d->pendingIndex < m.macros.size() && in.size() >= 192) {
                std::copy_n(in.begin(), 192, m.macros[d->pendingIndex].begin());
            } else {
                ++m.protocolErrors;
            }
            break;
        default: break;
    }
    d->pendingBlocks = 0;
    d->receivedBlocks = 0;
    return true;
}

int VirtualDevices::Read(int generation, uint16_t productId, Role role, uint8_t* data,
                         size_t length, int timeoutMs, bool& cancelled) {
    std::unique_lock lock(m_mutex);
    const uint32_t start = Now();
    bool counted = false;
    bool toldStall = false;
    for (;;) {
        Device* d = Find(productId);
        if (d == nullptr || d->generation != generation) {
            return -1;
        }
        if (!counted && role == Role::kCommand) {
            counted = true;
            if (!CountOperation(*d, "READ")) {
                return -1;
            }
            PauseAfter(*d, 100);
            if (Active(*d) && d->faults.eio) {
                Faulty(*d, "READ", "eio");
                return -1;
            }
            continue;
        }
        if (cancelled) {
            cancelled = false;
            return 0;
        }
        auto& queue = role == Role::kEvent ? d->eventInput : d->commandInput;
        const bool stalled = role == Role::kCommand && Active(*d) && d->faults.stall;
        if ((role == Role::kEvent || role == Role::kCommand) && !queue.empty() && !stalled) {
            std::vector<uint8_t> report = std::move(queue.front());
            queue.pop_front();
            size_t n = std::min(report.size(), length);
            std::fill(data, data + length, 0);
            std::copy_n(report.begin(), n, data);
            if (role == Role::kCommand && Active(*d) && d->faults.garbageReplies) {
                Faulty(*d, "READ", "garbage-reply");
                for (size_t i = 1; i < n; ++i) {
                    data[i] = d->NextGarbage();
                }
            } else if (role == Role::kCommand && Active(*d) && d->faults.shortReads) {
                Faulty(*d, "READ", "short-read");
                n = std::min<size_t>(n, 3);
                std::fill(data + n, data + length, 0);
            }
            return static_cast<int>(n);
        }
        if (stalled && !toldStall) {
            toldStall = true;
            Faulty(*d, "READ", "stall");
        }
        if (timeoutMs < 0) {
            ++m_blockedReads;
            m_blockedChanged.notify_all();
            m_wake.wait(lock);
            --m_blockedReads;
            continue;
        }
        // The time-out is the program's clock's: on a virtual clock it passes at once, as
        // nothing answers a stalled device.
        // Any notice (a report queued, a cancel, an unplug) ends the wait for a new look;
        // the first check, before waiting, does not.
        const int left = timeoutMs - static_cast<int>(Now() - start);
        bool looked = false;
        if (left <= 0 || !ClockOf().WaitFor(m_wake, lock, left, [&] { return std::exchange(looked, true); })) {
            return 0;
        }
    }
}

void VirtualDevices::MouseCommand(Device& d, const uint8_t* f) {
    VirtualMouseState& m = d.mouse;
    ++m.commands;
    if (f[7] != Checksum(f)) {
        ++m.checksumErrors;
        return;
    }
    if (d.receivedBlocks < d.pendingBlocks) {
        ++m.protocolErrors;  // a new command before the data of the last one
    }
    d.pendingBlocks = 0;
    d.receivedBlocks = 0;
    d.pendingData.clear();
    switch (f[0]) {
        case 0x81: d.reply = Reply({0x81, m.interval, m.k[0], m.k[1], m.k[2]}); break;
        case 0x01:
            m.interval = f[1];
            std::copy_n(f + 2, 3, m.k.begin());
            break;
        case 0x0B:
            m.sensitivityX = f[1];
            m.sensitivityY = f[2];
            break;
        case 0x0A:
        case 0x03:
        case 0x0C:
        case 0x05:
            d.pendingCommand = f[0];
            d.pendingIndex = f[2];
            d.pendingBlocks = f[3];
            break;
        case 0x87: d.reply = Reply({0x87, m.currentStage}); break;
        case 0x08: std::copy_n(f + 1, 3, m.dpiCodes.begin() + 4); break;
        case 0x07:
            m.currentStage = f[1];
            m.stageMask = f[2];
            std::copy_n(f + 3, 4, m.dpiCodes.begin());
            break;
        case 0x8C:
            d.reply = Reply({0x8C, 0x00, 0x00, 0x01});
            // One input report for each block asked for (none for none).
            for (int b = 0; b < f[3] && !d.faults.neverAnswerBlocks; ++b) {
                std::vector<uint8_t> report(d.faults.blockReportLength, 0);
                std::copy(m.lightColourBlock.begin(), m.lightColourBlock.end(), report.begin() + 1);
                d.commandInput.push_back(report);
            }
            break;
        case 0x06: std::copy_n(f + 1, 6, m.lightEffect.begin()); break;
        default:
            // The firmware ignores what it does not know.
            NoteError(&VirtualTrafficErrors::unknownCommands, d, Format("unknown command %02X", f[0]));
            break;
    }
}

void VirtualDevices::PadCommand(Device& d, const uint8_t* f) {
    VirtualPadState& p = d.pad;
    ++p.frames;
    switch (f[0]) {
        case 0x09: std::copy_n(f + 1, 6, p.colours.begin()); break;
        case 0x0A: std::copy_n(f + 1, 6, p.colours.begin() + 6); break;
        case 0x0B: std::copy_n(f + 1, 6, p.colours.begin() + 12); break;
        case 0x08:
            std::copy_n(f + 1, 7, p.effect.begin());
            d.reply = {0x88};
            std::copy_n(f + 1, 7, d.reply.begin() + 1);
            break;
        default:
            NoteError(&VirtualTrafficErrors::unknownCommands, d, Format("unknown pad command %02X", f[0]));
            break;
    }
}

}  // namespace qm
