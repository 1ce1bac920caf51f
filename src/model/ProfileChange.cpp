// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ProfileChange.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/FileUtil.h"
#include "platform/Format.h"

namespace qm {

namespace {

constexpr std::string_view kHeader = "QM517 Pro profile change 1\n";
constexpr std::string_view kEnd = "end\n";
// Far more than any profile file holds: a length beyond it is damage.
constexpr long kMaxFileBytes = 64L * 1024 * 1024;

// Only the profile files: a journal never names anything outside them.
bool IsProfileFileName(const std::string& name) {
    if (name == "config.bin" || name == "str.ini" || name == "record.ini") {
        return true;
    }
    for (int i = 0; i < 6; ++i) {
        if (name == Format("config%d.bin", i) || name == Format("str%d.ini", i)) {
            return true;
        }
    }
    return false;
}

// The file as it is now: its bytes, nullopt when it is not there; false when it cannot be
// read (with `error` set).
bool ReadCurrent(const std::string& path, std::optional<std::string>& current, int& error) {
    std::string bytes;
    error = ReadWholeFile(path, bytes);
    if (error == ENOENT) {
        current.reset();
        error = 0;
        return true;
    }
    if (error != 0) {
        return false;
    }
    current = std::move(bytes);
    return true;
}

// The journal of a change that is over (done, or put back whole) goes. Should it not go,
// it must not make the change again over what is saved later: emptied, it names nothing,
// and the next start removes it.
void DropJournal(const std::string& journal) {
    if (RemoveFile(journal) == 0) {
        return;
    }
    const int fd = ::open(journal.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        const std::string empty = JournalBytes({});
        [[maybe_unused]] const ssize_t n = ::write(fd, empty.data(), empty.size());
        ::fsync(fd);
        ::close(fd);
    }
}

int WriteState(const std::string& path, const std::optional<std::string>& content) {
    return content ? WriteFileAtomic(path, *content) : RemoveFile(path);
}

long ParseLength(const std::string& text, bool& ok) {
    if (text == "-1") {
        return -1;
    }
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        ok = false;
        return 0;
    }
    const long n = std::stol(text);
    ok = ok && n <= kMaxFileBytes;
    return n;
}

}  // namespace

void ProfileChange::Put(const std::string& name, std::string content) {
    m_entries.push_back({name, std::move(content), std::nullopt});
}

void ProfileChange::Remove(const std::string& name) {
    m_entries.push_back({name, std::nullopt, std::nullopt});
}

std::string JournalBytes(const std::vector<ProfileChange::Entry>& entries) {
    std::string out(kHeader);
    for (const ProfileChange::Entry& e : entries) {
        out += Format("%s %ld %ld\n", e.name.c_str(), e.content ? static_cast<long>(e.content->size()) : -1L,
                      e.old ? static_cast<long>(e.old->size()) : -1L);
        if (e.content) {
            out += *e.content;
        }
        if (e.old) {
            out += *e.old;
        }
    }
    out += kEnd;
    return out;
}

std::optional<std::vector<ProfileChange::Entry>> ParseJournal(const std::string& bytes) {
    if (bytes.compare(0, kHeader.size(), kHeader) != 0) {
        return std::nullopt;
    }
    std::vector<ProfileChange::Entry> entries;
    size_t at = kHeader.size();
    for (;;) {
        if (bytes.size() - at == kEnd.size() && bytes.compare(at, kEnd.size(), kEnd) == 0) {
            return entries;
        }
        const size_t newline = bytes.find('\n', at);
        if (newline == std::string::npos || newline - at > 64 || entries.size() >= 16) {
            return std::nullopt;
        }
        const std::string line = bytes.substr(at, newline - at);
        at = newline + 1;
        const size_t first = line.find(' ');
        const size_t second = first == std::string::npos ? std::string::npos : line.find(' ', first + 1);
        if (second == std::string::npos) {
            return std::nullopt;
        }
        ProfileChange::Entry entry;
        entry.name = line.substr(0, first);
        bool ok = IsProfileFileName(entry.name);
        const long newLength = ParseLength(line.substr(first + 1, second - first - 1), ok);
        const long oldLength = ParseLength(line.substr(second + 1), ok);
        if (!ok) {
            return std::nullopt;
        }
        for (auto [length, field] : {std::pair{newLength, &entry.content}, std::pair{oldLength, &entry.old}}) {
            if (length < 0) {
                continue;
            }
            if (bytes.size() - at < static_cast<size_t>(length)) {
                return std::nullopt;
            }
            *field = bytes.substr(at, static_cast<size_t>(length));
            at += static_cast<size_t>(length);
        }
        entries.push_back(std::move(entry));
    }
}

int ProfileChange::Commit(std::string& what) {
    what.clear();
    // What each file holds now is what an undo puts back; a file that already holds its
    // new contents needs no step.
    std::vector<Entry> steps;
    for (Entry& e : m_entries) {
        int error = 0;
        if (!ReadCurrent(m_folder + e.name, e.old, error)) {
            what = "cannot read " + m_folder + e.name + ": " + ErrnoText(error) + "; nothing was changed";
            return error;
        }
        if (e.old != e.content) {
            steps.push_back(e);
        }
    }
    if (steps.empty()) {
        return 0;
    }
    const std::string journal = m_folder + kProfileJournal;
    if (const int error = WriteFileAtomic(journal, JournalBytes(steps))) {
        what = "cannot write " + journal + ": " + ErrnoText(error) + "; nothing was changed";
        return error;
    }
    for (size_t i = 0; i < steps.size(); ++i) {
        const int error = WriteState(m_folder + steps[i].name, steps[i].content);
        if (error == 0) {
            continue;
        }
        what = "cannot write " + m_folder + steps[i].name + ": " + ErrnoText(error);
        // Back to how it was, the last step first (the failed one changed nothing).
        bool undone = true;
        for (size_t j = i; j-- > 0;) {
            undone = WriteState(m_folder + steps[j].name, steps[j].old) == 0 && undone;
        }
        if (undone) {
            DropJournal(journal);
            what += "; nothing was changed";
        } else {
            what += "; the change is finished at the next start";
        }
        return error;
    }
    DropJournal(journal);
    return 0;
}

std::string FinishProfileChange(const std::string& folder, int* error) {
    int ignored = 0;
    int& status = error != nullptr ? *error : ignored;
    status = 0;
    const std::string journal = folder + kProfileJournal;
    std::string bytes;
    if (const int readError = ReadWholeFile(journal, bytes, static_cast<size_t>(16 * kMaxFileBytes))) {
        if (readError == ENOENT) {
            return {};
        }
        status = readError;
        return "cannot read " + journal + ": " + ErrnoText(readError) +
               "; a profile change an interruption left half done is not finished";
    }
    const auto entries = ParseJournal(bytes);
    if (!entries) {
        const std::string aside = journal + ".damaged";
        if (std::rename(journal.c_str(), aside.c_str()) != 0) {
            status = errno;
            return "cannot set the damaged " + journal + " aside: " + ErrnoText(status);
        }
        return "set aside a damaged record of a profile change as " + aside + "; the profiles are left as they are";
    }
    if (entries->empty()) {
        RemoveFile(journal);  // the journal of a change that was whole, emptied
        return {};
    }
    std::string names;
    for (const ProfileChange::Entry& e : *entries) {
        std::optional<std::string> current;
        int readError = 0;
        if (!ReadCurrent(folder + e.name, current, readError)) {
            status = readError;
            return "cannot read " + folder + e.name + ": " + ErrnoText(readError) +
                   "; the interrupted profile change is finished at the next start";
        }
        // A file that holds neither its old nor its new contents was changed since (the
        // change was whole, and only the journal was left): it stays as it is.
        if (current == e.content || current != e.old) {
            continue;
        }
        if (const int writeError = WriteState(folder + e.name, e.content)) {
            status = writeError;
            return "cannot write " + folder + e.name + ": " + ErrnoText(writeError) +
                   "; the interrupted profile change is finished at the next start";
        }
        names += (names.empty() ? "" : ", ") + e.name;
    }
    if (const int removeError = RemoveFile(journal)) {
        status = removeError;
        return "cannot remove " + journal + ": " + ErrnoText(removeError);
    }
    return "finished the profile change an interruption left half done in " + folder +
           (names.empty() ? std::string() : ": " + names);
}

}  // namespace qm
