#include "TestUtil.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm::test {

TempDir::TempDir() {
    std::string pattern = "/tmp/qm517-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    ::chmod(pattern.c_str(), 0755);
    m_path = pattern + "/";
}

TempDir::~TempDir() {
    std::error_code ec;
    // Folders a test made read-only must be writable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec)) {
            ::chmod(it->path().c_str(), 0755);
        }
    }
    ::chmod(m_path.c_str(), 0755);
    std::filesystem::remove_all(m_path, ec);
}

void WriteFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(path, ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Hex(std::string_view text) {
    std::vector<uint8_t> bytes;
    std::istringstream in{std::string(text)};
    std::string word;
    while (in >> word) {
        bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

std::string ToHex(const uint8_t* data, size_t size) {
    std::string out;
    char buf[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(buf, sizeof buf, i == 0 ? "%02X" : " %02X", data[i]);
        out += buf;
    }
    return out;
}

static int RunForked(const std::function<int()>& body, bool dropPrivileges) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (dropPrivileges && ::geteuid() == 0 &&
            (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(120);
        }
        ::_exit(body() & 0x7F);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

int RunUnprivileged(const std::function<int()>& body) {
    return RunForked(body, true);
}

int RunInChild(const std::function<int()>& body) {
    return RunForked(body, false);
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) {
        m_had = true;
        m_old = old;
    }
    if (value != nullptr) {
        ::setenv(name, value, 1);
    } else {
        ::unsetenv(name);
    }
}

ScopedEnv::~ScopedEnv() {
    if (m_had) {
        ::setenv(m_name.c_str(), m_old.c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

}  // namespace qm::test
