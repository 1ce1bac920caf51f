// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestUtil.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FileUtil.h"

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

bool WatchedStream::WaitFor(std::string_view text) {
    flush();
    std::unique_lock lock(m_buffer.mutex);
    return m_buffer.changed.wait_for(lock, std::chrono::milliseconds(kPatienceMs),
                                     [&] { return m_buffer.text.find(text) != std::string::npos; });
}

std::string WatchedStream::Text() const {
    std::lock_guard lock(m_buffer.mutex);
    return m_buffer.text;
}

WatchedStream::Buffer::int_type WatchedStream::Buffer::overflow(int_type c) {
    if (c != traits_type::eof()) {
        const char ch = traits_type::to_char_type(c);
        xsputn(&ch, 1);
    }
    return traits_type::not_eof(c);
}

std::streamsize WatchedStream::Buffer::xsputn(const char* s, std::streamsize n) {
    {
        std::lock_guard lock(mutex);
        text.append(s, static_cast<size_t>(n));
    }
    changed.notify_all();
    return n;
}

SharedTrace::SharedTrace(std::string path) : m_path(std::move(path)) {
    if (::mkfifo(m_path.c_str(), 0600) != 0) {
        throw std::runtime_error("mkfifo " + m_path);
    }
    // Read and write at once: opening a FIFO so never waits, and it never reaches its end.
    m_fd = ::open(m_path.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0 || ::fcntl(m_fd, F_SETPIPE_SZ, static_cast<int>(kPipeBytes)) < 0) {
        throw std::runtime_error("cannot open the FIFO " + m_path);
    }
    m_reader = std::thread([this] { ReadLoop(); });
}

SharedTrace::~SharedTrace() {
    Lines();
    ::close(m_fd);
}

void SharedTrace::Hold() {
    std::lock_guard lock(m_mutex);
    m_held = true;
}

void SharedTrace::Resume() {
    {
        std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_changed.notify_all();
}

void SharedTrace::ReadLoop() {
    static constexpr std::string_view kEnd = "\x04 end of the test's trace\n";
    // Small reads: once held, the reader has taken at most this much more.
    char chunk[128];
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return !m_held; });
        }
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        std::lock_guard lock(m_mutex);
        m_text.append(chunk, static_cast<size_t>(n));
        if (m_text.ends_with(kEnd)) {
            m_text.resize(m_text.size() - kEnd.size());
            break;
        }
    }
    std::lock_guard lock(m_mutex);
    m_ended = true;
}

std::vector<std::string> SharedTrace::Lines() {
    if (m_reader.joinable()) {
        Resume();
        static constexpr std::string_view kEnd = "\x04 end of the test's trace\n";
        [[maybe_unused]] const ssize_t n = ::write(m_fd, kEnd.data(), kEnd.size());
        m_reader.join();
    }
    std::lock_guard lock(m_mutex);
    return SplitLines(m_text);
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, bool readOut,
                           bool readErr) {
    int out[2] = {-1, -1};
    int err[2] = {-1, -1};
    if ((readOut && ::pipe2(out, O_CLOEXEC) != 0) || (readErr && ::pipe2(err, O_CLOEXEC) != 0)) {
        throw std::runtime_error("pipe");
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(readOut ? out[1] : null, 1);
        ::dup2(readErr ? err[1] : null, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (readOut) {
        ::close(out[1]);
        m_out = out[0];
    }
    if (readErr) {
        ::close(err[1]);
        m_err = err[0];
    }
}

ChildProcess::~ChildProcess() {
    if (!m_waited && m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        Wait();
    }
    for (const int fd : {m_out, m_err}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

bool ChildProcess::WaitForLine(int& fd, std::string& seen, std::string_view text) {
    for (;;) {
        // Whole lines only: a line is looked at once it has ended.
        for (size_t start = 0, end; (end = seen.find('\n', start)) != std::string::npos; start = end + 1) {
            if (std::string_view(seen).substr(start, end - start).find(text) != std::string_view::npos) {
                return true;
            }
        }
        if (fd < 0) {
            return false;
        }
        pollfd ready{fd, POLLIN, 0};
        const int polled = ::poll(&ready, 1, kPatienceMs);
        if (polled < 0 && errno == EINTR) {
            continue;
        }
        if (polled <= 0) {
            return false;  // silent for too long: it hangs
        }
        char chunk[512];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        seen.append(chunk, static_cast<size_t>(n));
    }
}

int ChildProcess::Wait() {
    if (!m_waited) {
        WaitForLine(m_out, m_outText, "\x04 never printed");
        WaitForLine(m_err, m_errText, "\x04 never printed");
        while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
        }
        m_waited = true;
    }
    return m_status;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void StepFault::Install() {
    SetFileStepHook([this](FileStep, const std::string&) {
        const int step = steps++;
        if (kind == kCrash && step == at) {
            ::_exit(3);  // nothing after this step happens
        }
        if ((kind == kError && step == at) || (kind == kErrorFromThereOn && step >= at)) {
            return EIO;
        }
        return 0;
    });
}

StepFault::~StepFault() {
    SetFileStepHook({});
}

bool CrashAt(int at, const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        StepFault fault;
        fault.kind = StepFault::kCrash;
        fault.at = at;
        fault.Install();
        body();
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}

}  // namespace qm::test
