#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::test {

// A private folder under /tmp, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder, ending with '/'.
    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + std::string(name); }

private:
    std::string m_path;
};

void WriteFile(const std::string& path, std::string_view content);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
std::vector<std::string> ListFolder(const std::string& path);

// The button table the factory settings give (64 bytes, as the mouse receives it).
inline constexpr const char* kFactoryButtonTable =
    "00 F0 00 02 00 F1 00 02 00 F2 00 02 00 07 02 0C 00 00 04 0C 00 00 01 08 00 00 02 08 "
    "00 00 03 0C 00 00 01 0B 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
    "00 01 01 05 00 01 02 05";

// "00 F0 00 02" -> bytes; blanks separate bytes.
std::vector<uint8_t> Hex(std::string_view text);
std::string ToHex(const uint8_t* data, size_t size);
template <typename Container>
std::string ToHex(const Container& c) {
    return ToHex(reinterpret_cast<const uint8_t*>(c.data()), c.size());
}

// Runs `body` in a child process that may not write into folders it does not own: as
// root it drops to the unprivileged user "nobody". Returns the value `body` returned.
int RunUnprivileged(const std::function<int()>& body);
// Runs `body` in a child process (for limits that must not touch the test process).
int RunInChild(const std::function<int()>& body);

// Sets an environment variable for the life of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();

private:
    std::string m_name;
    bool m_had = false;
    std::string m_old;
};

}  // namespace qm::test
