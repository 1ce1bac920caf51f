// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm {

// A change of several files of the profile folder (a profile deleted, copied, added or
// renamed, the list reordered) made whole or not at all, against a crash and against a
// failed write. Before any profile file changes, the whole change is written atomically
// into a journal beside the profiles ("profiles.journal"): every file's new contents or
// its removal, and its old contents. Then each file is written (every write replaces a
// whole file, so doing one twice is harmless), then the journal goes. A journal that a
// crash left behind is carried out at the next start (FinishProfileChange) before
// anything reads the profiles; a step that fails while the program runs puts back what
// was already changed.
class ProfileChange {
public:
    // `folder` ends with '/'.
    explicit ProfileChange(std::string folder) : m_folder(std::move(folder)) {}

    // File `name` of the folder ("config2.bin", "str.ini") gets `content`. A file that
    // already holds it is left out of the change.
    void Put(const std::string& name, std::string content);
    // File `name` goes (nothing happens for a file that is not there).
    void Remove(const std::string& name);
    bool Empty() const { return m_entries.empty(); }

    // Carries the change out. Returns 0 when done (once every file is written the change
    // stands, even should its journal not go: it is emptied instead); else the errno value
    // of what failed, with `what` saying what it was and what became of the change:
    // nothing changed (the files put back), or, where even that failed, the change is
    // finished at the next start.
    int Commit(std::string& what);

    struct Entry {
        std::string name;
        std::optional<std::string> content;  // nullopt: removed
        std::optional<std::string> old;      // nullopt: was not there
    };

private:
    std::string m_folder;
    std::vector<Entry> m_entries;
};

// The journal's file name in the profile folder.
inline constexpr const char* kProfileJournal = "profiles.journal";

// What a start does before it reads any profile: a profile change a crash interrupted is
// finished. Returns the line that tells the user (empty when there was nothing to do).
// `error` receives 0, or the errno value when the change could not be finished (the
// journal then stays for the next start; a damaged journal, which says nothing that can
// be carried out, is set aside as "profiles.journal.damaged").
std::string FinishProfileChange(const std::string& folder, int* error = nullptr);

// The journal's bytes for `entries`, and the entries a journal holds (nullopt for one
// that is damaged or names files that are no profile files). For the fuzz target and the
// tests.
std::string JournalBytes(const std::vector<ProfileChange::Entry>& entries);
std::optional<std::vector<ProfileChange::Entry>> ParseJournal(const std::string& bytes);

}  // namespace qm
