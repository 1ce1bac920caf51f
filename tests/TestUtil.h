// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <sys/types.h>

namespace qm::test {

// How long a test waits for something that must come (a signal, a line, a process's
// end): a guard against a hang that fails the test instead of holding the suite, never a
// measure of speed. Tests wait for the event itself, never for a time.
inline constexpr int kPatienceMs = 60000;

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

// An output stream that other threads write into while the test waits for what they
// write.
class WatchedStream : public std::ostream {
public:
    WatchedStream() : std::ostream(&m_buffer) {}
    // Waits until the text written so far contains `text`; false after kPatienceMs.
    bool WaitFor(std::string_view text);
    std::string Text() const;

private:
    struct Buffer : std::streambuf {
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;
        mutable std::mutex mutex;
        std::condition_variable changed;
        std::string text;
    } m_buffer;
};

// A trace file that the test reads while programs write it: a FIFO that several
// processes trace into, whose lines come in the order they were written (each trace line
// is one write, shorter than PIPE_BUF, so lines never mix). The test holds both ends, so
// no writer waits to open it and no reader sees its end. The pipe is as small as Linux
// makes it (one page), and Hold() stops reading: a program tracing into it then stops
// once a page is unread, in the middle of its upload, until Resume().
class SharedTrace {
public:
    static constexpr size_t kPipeBytes = 4096;

    explicit SharedTrace(std::string path);
    ~SharedTrace();
    const std::string& Path() const { return m_path; }
    void Hold();
    void Resume();
    // Every line read; call once the writers have ended (it reads what is left first).
    std::vector<std::string> Lines();

private:
    void ReadLoop();

    std::string m_path;
    int m_fd = -1;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_held = false;
    bool m_ended = false;
    std::string m_text;
    std::thread m_reader;
};

// A program run in a process of its own with its standard output and error read through
// pipes (a null stream where not asked for), in the test's environment.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args, bool readOut, bool readErr);
    ~ChildProcess();
    pid_t Pid() const { return m_pid; }
    // Reads its standard output (or error) until a line that contains `text` has come;
    // false when it ended without one, or said nothing for kPatienceMs.
    bool WaitForOutLine(std::string_view text) { return WaitForLine(m_out, m_outText, text); }
    bool WaitForErrLine(std::string_view text) { return WaitForLine(m_err, m_errText, text); }
    // Waits for it to end and reads the rest of its output; its wait status.
    int Wait();
    const std::string& Out() const { return m_outText; }
    const std::string& Err() const { return m_errText; }

private:
    bool WaitForLine(int& fd, std::string& seen, std::string_view text);

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_outText;
    std::string m_errText;
    bool m_waited = false;
    int m_status = 0;
};

std::vector<std::string> SplitLines(const std::string& text);

// Fails, or ends the process at, the `at`-th file step from its Install() on (counted
// from 0: the temporary of an atomic write made, renamed into place, a file removed), or
// only counts the steps.
struct StepFault {
    enum Kind { kCount, kCrash, kError, kErrorFromThereOn } kind = kCount;
    int at = -1;
    int steps = 0;

    void Install();
    ~StepFault();
};

// Runs `body` in a child process that ends at its file step `at`, as a kill there would
// end it; true when it ended there (false when `body` made fewer steps).
bool CrashAt(int at, const std::function<void()>& body);

}  // namespace qm::test
