// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

// An INI file with the semantics of the Windows profile-file calls the program was built
// on (GetPrivateProfileStringW / WritePrivateProfileStringW):
//  - section and key names compare without regard to ASCII case; the first match wins;
//  - section names are trimmed of surrounding blanks, on lookup and when a section is
//    created, so a macro named " Spaced " finds the section its items were written to;
//  - values are trimmed, one pair of surrounding quotes ("..." or '...') is stripped, and
//    at most 1023 characters are returned (the callers' 1024-character buffers);
//  - a new key is appended at the end of its section, a new section at the end of the file;
//  - deleting a section removes every section of that name with all its keys.
// Files are read as UTF-8 (with or without BOM) or UTF-16 with BOM and written as UTF-8.
// Lines the calls do not touch are written back unchanged.
class IniDocument {
public:
    static constexpr size_t kMaxValueChars = 1023;

    // A missing or unreadable file gives an empty document; `error` receives the errno.
    static IniDocument Load(const std::string& path, int* error = nullptr);
    static IniDocument Parse(std::string_view bytes);

    // The value, or nullopt when the section or key does not exist.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // The value, empty when missing (the calls' empty default).
    std::string Get(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

    // Line breaks in names and values are replaced by blanks so a value can never
    // break the file's structure.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void DeleteKey(std::string_view section, std::string_view key);
    void DeleteSection(std::string_view section);
    // The section `from` (the first of that name) takes the name `to`, with every key as
    // it is; other sections of either name go.
    void RenameSection(std::string_view from, std::string_view to);

    // The highest n for which the key `prefix` followed by the decimal n (as "%d" writes
    // it) exists in the section; -1 when there is none. Lets readers bound counts that a
    // damaged file may state as anything.
    int HighestIndex(std::string_view section, std::string_view prefix) const;
    // Every key of the section with its value (first occurrence wins), keyed by the
    // lower-case key name; for reading many keys at once.
    std::unordered_map<std::string, std::string> Values(std::string_view section) const;

    // Every section name with a header, in file order (repeats included).
    std::vector<std::string> SectionNames() const;
    // The text of the document (lines as they are, without a BOM).
    std::string Serialize() const;
    // The bytes a save writes: the text, with a UTF-8 BOM where the file had one or where
    // the text would otherwise read as something else.
    std::string Bytes() const;
    // Appends a key to a section without looking for an existing one (for sections just
    // deleted and written anew, so that a long list is written in linear time).
    void Append(std::string_view section, std::string_view key, std::string_view value);
    // Atomic replacement of the file; returns 0 or an errno value.
    int Save(const std::string& path) const;
    bool Changed() const { return m_changed; }

private:
    struct Section {
        std::string name;
        bool hasHeader = true;
        std::vector<std::string> lines;  // raw lines after the header
        std::string header;              // the header line as read (empty: written anew)
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> m_sections;
    bool m_crlf = false;
    bool m_bom = false;
    bool m_changed = false;
};

// One call, one file access: the Windows calls as free functions over a path.
namespace ProfileIni {
std::string GetString(const std::string& path, std::string_view section, std::string_view key);
// Returns 0 or an errno value.
int WriteString(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value);
int DeleteKey(const std::string& path, std::string_view section, std::string_view key);
int DeleteSection(const std::string& path, std::string_view section);
}  // namespace ProfileIni

// Converts UTF-16 text (without BOM) to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace qm
