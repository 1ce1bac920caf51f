// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string_view>
#include <unistd.h>

#include "device/DeviceEvents.h"
#include "device/DeviceLink.h"
#include "device/Upload.h"
#include "macros/MacroCompiler.h"
#include "macros/MacroStore.h"
#include "model/ProfileDescription.h"
#include "model/ProfileChange.h"
#include "model/ProfileFiles.h"
#include "platform/FileUtil.h"
#include "platform/HidDescriptor.h"
#include "platform/ProfileIni.h"

namespace qm::fuzz {

namespace {

const char* const kFiles[] = {"config.bin", "config0.bin", "config1.bin", "str.ini",  "str0.ini",
                              "str1.ini",   "record.ini",  "config2.bin", "str2.ini"};

// A private folder for the targets that work on files, made once per process, emptied
// before every input and removed at exit.
struct FuzzFolder {
    std::string path;
    FuzzFolder() {
        char name[] = "/tmp/qm517-fuzz-XXXXXX";
        if (::mkdtemp(name) != nullptr) {
            path = std::string(name) + "/";
        }
    }
    ~FuzzFolder() {
        if (!path.empty()) {
            Empty();
            ::rmdir(path.c_str());
        }
    }
    void Empty() const {
        for (const char* file : kFiles) {
            ::unlink((path + file).c_str());
        }
    }
};

const std::string& Folder() {
    static const FuzzFolder folder;
    return folder.path;
}

void EmptyFolder() {
    for (const char* name : kFiles) {
        ::unlink((Folder() + name).c_str());
    }
}

// The input cut into `count` parts at the separator "\n~~\n"; missing parts are empty.
std::vector<std::string> Parts(const uint8_t* data, size_t size, size_t count) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    size_t start = 0;
    while (parts.size() + 1 < count) {
        const size_t at = text.find("\n~~\n", start);
        if (at == std::string_view::npos) {
            break;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + 4;
    }
    parts.emplace_back(text.substr(std::min(start, text.size())));
    parts.resize(count);
    return parts;
}

// Nothing is written to stderr while fuzzing.
class SilentDebug : public DebugOutput {
public:
    void Write(std::string_view) override {}
};

// A handle whose answers are the input: each feature read, block read and write result
// takes the next bytes.
class InputHandle : public HidHandle {
public:
    InputHandle(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool SetFeature(const uint8_t*, size_t) override { return Next() % 8 != 0; }
    int GetFeature(uint8_t* buffer, size_t length) override {
        const uint8_t how = Next();
        if (how % 8 == 0) {
            return -1;
        }
        const size_t n = how % 4 == 0 ? how % length : length;
        for (size_t i = 1; i < n; ++i) {
            buffer[i] = Next();
        }
        return static_cast<int>(n);
    }
    bool Write(const uint8_t*, size_t) override { return Next() % 8 != 0; }
    int Read(uint8_t* buffer, size_t length, int) override {
        const uint8_t how = Next();
        if (how % 8 == 0) {
            return how % 16 == 0 ? -1 : 0;
        }
        const size_t n = how % 4 == 0 ? how % length : length;
        for (size_t i = 0; i < n; ++i) {
            buffer[i] = Next();
        }
        return static_cast<int>(n);
    }
    void CancelRead() override {}

private:
    uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0x55; }
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Hands out the input handle as the command interface of a mouse.
class InputBackend : public HidBackend {
public:
    InputBackend(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<HidHandle> Open(const HidInterfaceInfo&, HidAccess, int* error) override {
        *error = 0;
        return std::make_unique<InputHandle>(m_data, m_size);
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

class NoClock : public Clock {
public:
    void Sleep(int milliseconds) override { m_now += static_cast<uint32_t>(milliseconds); }
    uint32_t TickCount() override { return m_now; }
    // Nothing comes that has not come: the replies are all in the input.
    bool WaitFor(std::condition_variable&, std::unique_lock<std::mutex>&, int timeoutMs,
                 const std::function<bool()>& ready) override {
        if (!ready()) {
            Sleep(std::max(0, timeoutMs));
        }
        return ready();
    }
    bool WaitReadable(int, int timeoutMs) override {
        Sleep(std::max(0, timeoutMs));
        return false;
    }

private:
    uint32_t m_now = 0;
};

class NoPointer : public PointerSink {
public:
    bool SetMouse(const std::array<int, 3>&) override { return true; }
    bool SetMouseSpeed(int) override { return true; }
    bool SetWheelScrollLines(uint32_t) override { return true; }
    bool SetDoubleClickTime(int) override { return true; }
};

}  // namespace

IniView Seen(const IniDocument& doc) {
    IniView seen;
    for (const std::string& name : doc.SectionNames()) {
        const auto values = doc.Values(name);
        seen.emplace_back(name, std::map<std::string, std::string>(values.begin(), values.end()));
    }
    return seen;
}

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets = {
        {"ini", Ini}, {"profile", Profile}, {"macros", Macros}, {"descriptor", Descriptor}, {"device", Device}};
    return targets;
}

std::string Ini(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument doc = IniDocument::Parse(bytes);
    const auto seen = Seen(doc);
    for (const auto& [section, values] : seen) {
        (void)doc.HighestIndex(section, "Item");
        (void)doc.HighestIndex(section, "");
        for (const auto& [key, value] : values) {
            const std::string got = doc.Get(section, key);
            const auto characters = std::count_if(got.begin(), got.end(), [](char c) {
                return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a continuation byte
            });
            if (characters > static_cast<std::ptrdiff_t>(IniDocument::kMaxValueChars)) {
                return "a value longer than 1023 characters was returned";
            }
        }
    }
    // Written back, it reads the same: no BOM lost, no line broken.
    if (Seen(IniDocument::Parse(doc.Bytes())) != seen) {
        return "the file reads differently once written back";
    }
    // A value with every character there is stays one value in one section.
    doc.Set("Fuzz", "Key", bytes.substr(0, std::min<size_t>(bytes.size(), 64)));
    if (IniDocument::Parse(doc.Bytes()).SectionNames().size() != doc.SectionNames().size()) {
        return "setting one key changed the sections";
    }
    doc.DeleteSection("Fuzz");
    doc.DeleteKey("Profile", "IsDefault");
    (void)doc.Bytes();
    return {};
}

std::string Profile(const uint8_t* data, size_t size) {
    EmptyFolder();
    const std::vector<std::string> parts = Parts(data, size, 6);
    const std::string& folder = Folder();
    const char* names[] = {"config0.bin", "str0.ini", "str.ini", "record.ini", "config.bin", kProfileJournal};
    for (size_t i = 0; i < 6; ++i) {
        if (!parts[i].empty()) {
            WriteFileAtomic(folder + names[i], parts[i]);
        }
    }
    // As a start does it: an interrupted profile change is finished (or set aside) first,
    // and only the profile files it names may change.
    int error = 0;
    (void)FinishProfileChange(folder, &error);
    if (PathExists(folder + kProfileJournal) && error == 0) {
        return "a finished profile change left its journal";
    }
    SilentDebug debug;
    SettingsState settings;
    ButtonCaptions captions;
    UiStrings strings;
    ProfileFiles files(folder, settings, captions, strings, debug);
    if (files.LoadCurrentProfile()) {
        strings.FillUiStrings(files.ReadLanguageCode());
        files.LoadCaptions(files.CurrentIniPath());
        files.CheckInitialisationMark();
    }
    int current = -1;
    const std::vector<std::string> list = files.ReadProfileList(&current).value_or(std::vector<std::string>{});
    if (list.size() > 6 || current >= 6) {
        return "the profile list holds more than six profiles";
    }
    (void)DescribeProfile(settings.record, captions);
    (void)files.UnreadableProfileFiles(true);
    files.SaveCurrentProfile();
    files.SaveCaptions(files.CurrentIniPath());
    // What was saved reads back as it was.
    SettingsRecord again;
    if (files.RecordUnreadable().empty() && files.ReadRecordFile(files.CurrentConfigPath(), again, "", false) &&
        again != settings.record) {
        return "a saved record reads back differently";
    }
    return {};
}

std::string Macros(const uint8_t* data, size_t size) {
    EmptyFolder();
    const std::string path = Folder() + "record.ini";
    WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(data), size));
    SilentDebug debug;
    MacroStore store(path);
    const std::vector<std::string> names = store.ReadNames();
    for (const std::string& name : names) {
        const MacroSection macro = store.ReadMacro(name);
        if (macro.items.size() > static_cast<size_t>(kMaxStoreListEntries)) {
            return "a macro holds more items than a store may give";
        }
    }
    SettingsRecord record;
    record.bytes.fill(0xA5);
    const SettingsRecord before = record;
    CompileMacros(store, record, debug);
    // The compile writes only the macro slots.
    for (size_t i = 0; i < rec::kMacroSlots; ++i) {
        if (record[i] != before[i]) {
            return "the compile wrote outside the macro slots";
        }
    }
    if (const auto slots = OnBnMacroSave(store, static_cast<int>(names.size()), 0, debug)) {
        CopyCompileSlots(*slots, record);
    }
    MacroEditorState state;
    LoadAllMacros(store, state);
    if (!names.empty()) {
        store.WriteMacroToIni(state);
        if (MacroStore(path).ReadNames().size() != names.size()) {
            return "writing a macro back changed the name list";
        }
    }
    return {};
}

std::string Descriptor(const uint8_t* data, size_t size) {
    // No property beyond the sanitizers': the parser must never read past the input or
    // overflow on any item it meets.
    (void)ParseReportDescriptor(data, size);
    return {};
}

std::string Device(const uint8_t* data, size_t size) {
    if (size < 4) {
        return {};
    }
    // Stage notices: a stage and a record from the input.
    SettingsRecord applied;
    for (size_t i = 0; i < applied.bytes.size(); ++i) {
        applied.bytes[i] = data[i % size];
    }
    UiStrings strings;
    strings.FillUiStrings(data[0] % 2 == 0 ? "EN" : "CHS");
    StageNotices notices;
    for (size_t i = 0; i + 1 < std::min<size_t>(size, 16); i += 2) {
        (void)notices.OnDeviceStage(static_cast<int8_t>(data[i]) % 6, static_cast<int8_t>(data[i + 1]), applied,
                                    strings);
    }
    // A whole mouse upload with the input as every answer of the mouse.
    InputBackend backend(data + 4, size - 4);
    NoClock clock;
    SilentDebug debug;
    DeviceLink link(backend, clock, debug);
    HidInterfaceInfo info;
    int error = 0;
    link.state.SetCommandHandle(MouseVariant::kA11D, backend.Open(info, HidAccess::kReadWrite, &error));
    link.state.presentA = 1;
    link.state.featureLength = 9;
    link.state.inputLength = static_cast<uint16_t>(data[1] % 2 == 0 ? 65 : 9 + data[1]);
    link.state.outputLength = 65;
    link.transport.SetBlockReadTimeout(0);
    SettingsState settings;
    ApplyFactoryDefaults(settings.record);
    ButtonCaptions captions;
    ProfileFiles files(Folder(), settings, captions, strings, debug);
    NoPointer pointer;
    UploadContext context{settings, link.device, link.state, link.transport, files, captions, pointer, debug, {},
                          false};
    const SettingsRecord before = settings.record;
    UploadMouse(context, MouseVariant::kA11D);
    if (settings.record != before) {
        return "what the mouse answered changed the profile";
    }
    (void)FailuresByDevice(link.transport.Failures());
    link.state.CloseAll();
    return {};
}

}  // namespace qm::fuzz
