// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProfileIni.h"

#include <cerrno>
#include <limits>

#include "platform/FileUtil.h"
#include "platform/Format.h"

namespace qm {

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// A section header is a trimmed line "[name]"; the name runs to the last ']' on the line,
// so names that contain ']' read back as they were written.
std::optional<std::string_view> HeaderName(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') {
        return std::nullopt;
    }
    const size_t close = t.find_last_of(']');
    if (close == 0 || close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(t.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string CleanValue(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    // At most 1023 characters; never cut a UTF-8 sequence in two.
    size_t chars = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80) {
            if (chars == IniDocument::kMaxValueChars) {
                return std::string(value.substr(0, i));
            }
            ++chars;
        }
    }
    return std::string(value);
}

std::string NoLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return out;
}

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](size_t i) -> uint32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (uint32_t{a} << 8 | b) : (uint32_t{b} << 8 | a);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        uint32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 3 < bytes.size()) {
                const uint32_t low = unit(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                } else {
                    cp = 0xFFFD;
                }
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

IniDocument IniDocument::Load(const std::string& path, int* error) {
    std::string bytes;
    const int result = ReadWholeFile(path, bytes);
    if (error != nullptr) {
        *error = result;
    }
    if (result != 0) {
        return IniDocument{};
    }
    return Parse(bytes);
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    std::string converted;
    bool utf16 = false;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        converted = Utf16ToUtf8(bytes.substr(2), false);
        bytes = converted;
        utf16 = true;
    } else if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
               static_cast<unsigned char>(bytes[1]) == 0xFF) {
        converted = Utf16ToUtf8(bytes.substr(2), true);
        bytes = converted;
        utf16 = true;
    }
    IniDocument doc;
    if (!utf16 && bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
        doc.m_bom = true;
    }

    doc.m_sections.push_back(Section{"", false, {}, {}});
    size_t start = 0;
    bool first = true;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
            if (first) {
                doc.m_crlf = true;
            }
        }
        first = false;
        if (auto name = HeaderName(line)) {
            doc.m_sections.push_back(Section{std::string(*name), true, {}, std::string(line)});
        } else {
            doc.m_sections.back().lines.emplace_back(line);
        }
        start = end + 1;
    }
    if (doc.m_sections.front().lines.empty()) {
        doc.m_sections.erase(doc.m_sections.begin());
    }
    return doc;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    name = Trim(name);
    for (auto& s : m_sections) {
        if (s.hasHeader && EqualsIgnoreCase(s.name, name)) {
            return &s;
        }
    }
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

bool IniDocument::HasSection(std::string_view section) const {
    return FindSection(section) != nullptr;
}

std::optional<std::string> IniDocument::Find(std::string_view section,
                                             std::string_view key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return std::nullopt;
    }
    for (const auto& line : s->lines) {
        if (auto kv = ParseKeyLine(line); kv && EqualsIgnoreCase(kv->key, key)) {
            return CleanValue(kv->value);
        }
    }
    return std::nullopt;
}

std::string IniDocument::Get(std::string_view section, std::string_view key) const {
    return Find(section, key).value_or(std::string{});
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string line = NoLineBreaks(key) + "=" + NoLineBreaks(value);
    m_changed = true;
    Section* s = FindSection(section);
    if (s == nullptr) {
        m_sections.push_back(Section{NoLineBreaks(Trim(section)), true, {line}, {}});
        return;
    }
    for (auto& existing : s->lines) {
        if (auto kv = ParseKeyLine(existing); kv && EqualsIgnoreCase(kv->key, key)) {
            existing = line;
            return;
        }
    }
    // After the section's last non-blank line, so blank separators stay at its end.
    size_t at = s->lines.size();
    while (at > 0 && Trim(s->lines[at - 1]).empty()) {
        --at;
    }
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), line);
}

void IniDocument::Append(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = NoLineBreaks(key) + "=" + NoLineBreaks(value);
    m_changed = true;
    Section* s = FindSection(section);
    if (s == nullptr) {
        m_sections.push_back(Section{NoLineBreaks(Trim(section)), true, {std::move(line)}, {}});
        return;
    }
    if (s->lines.empty() || !Trim(s->lines.back()).empty()) {
        s->lines.push_back(std::move(line));
        return;
    }
    size_t at = s->lines.size();
    while (at > 0 && Trim(s->lines[at - 1]).empty()) {
        --at;
    }
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void IniDocument::DeleteKey(std::string_view section, std::string_view key) {
    Section* s = FindSection(section);
    if (s == nullptr) {
        return;
    }
    std::erase_if(s->lines, [&](const std::string& line) {
        auto kv = ParseKeyLine(line);
        const bool match = kv && EqualsIgnoreCase(kv->key, key);
        m_changed = m_changed || match;
        return match;
    });
}

void IniDocument::DeleteSection(std::string_view section) {
    const size_t before = m_sections.size();
    section = Trim(section);
    std::erase_if(m_sections, [&](const Section& s) {
        return s.hasHeader && EqualsIgnoreCase(s.name, section);
    });
    m_changed = m_changed || m_sections.size() != before;
}

void IniDocument::RenameSection(std::string_view from, std::string_view to) {
    Section* s = FindSection(from);
    if (s == nullptr) {
        return;
    }
    // Other sections of the old name (which no read reaches) and of the new one go, so
    // that the section read under the new name is this one.
    const std::string name(Trim(to));
    const std::string old = s->name;
    s->name = name;
    s->header.clear();
    std::erase_if(m_sections, [&](const Section& other) {
        return &other != s && other.hasHeader && (EqualsIgnoreCase(other.name, old) || EqualsIgnoreCase(other.name, name));
    });
    m_changed = true;
}

int IniDocument::HighestIndex(std::string_view section, std::string_view prefix) const {
    const Section* s = FindSection(section);
    if (s == nullptr) {
        return -1;
    }
    int highest = -1;
    for (const auto& line : s->lines) {
        auto kv = ParseKeyLine(line);
        if (!kv || kv->key.size() <= prefix.size() ||
            !EqualsIgnoreCase(kv->key.substr(0, prefix.size()), prefix)) {
            continue;
        }
        const std::string_view digits = kv->key.substr(prefix.size());
        // Only the form "%d" writes: no sign, no leading zeros.
        if (digits.size() > 9 || (digits.size() > 1 && digits[0] == '0')) {
            continue;
        }
        int value = 0;
        bool ok = true;
        for (char c : digits) {
            if (c < '0' || c > '9') {
                ok = false;
                break;
            }
            value = value * 10 + (c - '0');
        }
        if (ok && value > highest) {
            highest = value;
        }
    }
    return highest;
}

std::unordered_map<std::string, std::string> IniDocument::Values(std::string_view section) const {
    std::unordered_map<std::string, std::string> values;
    if (const Section* s = FindSection(section)) {
        for (const auto& line : s->lines) {
            if (auto kv = ParseKeyLine(line)) {
                values.try_emplace(ToLowerAscii(kv->key), CleanValue(kv->value));
            }
        }
    }
    return values;
}

std::vector<std::string> IniDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const auto& s : m_sections) {
        if (s.hasHeader) {
            names.push_back(s.name);
        }
    }
    return names;
}

std::string IniDocument::Serialize() const {
    const char* eol = m_crlf ? "\r\n" : "\n";
    std::string out;
    for (const auto& s : m_sections) {
        if (s.hasHeader) {
            out += s.header.empty() ? "[" + s.name + "]" : s.header;
            out += eol;
        }
        for (const auto& line : s.lines) {
            out += line;
            out += eol;
        }
    }
    return out;
}

std::string IniDocument::Bytes() const {
    std::string text = Serialize();
    // Written back, a file must decode as it did: its BOM stays, and text that a reader
    // would take for a BOM of its own (UTF-16 or UTF-8) gets one in front.
    const auto startsWith = [&](std::string_view prefix) { return text.compare(0, prefix.size(), prefix) == 0; };
    if (m_bom || startsWith("\xFF\xFE") || startsWith("\xFE\xFF") || startsWith("\xEF\xBB\xBF")) {
        text.insert(0, "\xEF\xBB\xBF");
    }
    return text;
}

int IniDocument::Save(const std::string& path) const {
    return WriteFileAtomic(path, Bytes());
}

namespace ProfileIni {

std::string GetString(const std::string& path, std::string_view section, std::string_view key) {
    return IniDocument::Load(path).Get(section, key);
}

// A write needs a file that is either absent or readable: never replace a file we could
// not read, or its other sections would be lost.
static int LoadForWrite(const std::string& path, IniDocument& doc) {
    int error = 0;
    doc = IniDocument::Load(path, &error);
    return error == ENOENT ? 0 : error;
}

int WriteString(const std::string& path, std::string_view section, std::string_view key,
                std::string_view value) {
    IniDocument doc;
    if (const int error = LoadForWrite(path, doc)) {
        return error;
    }
    doc.Set(section, key, value);
    return doc.Save(path);
}

int DeleteKey(const std::string& path, std::string_view section, std::string_view key) {
    IniDocument doc;
    if (const int error = LoadForWrite(path, doc)) {
        return error;
    }
    doc.DeleteKey(section, key);
    return doc.Changed() ? doc.Save(path) : 0;
}

int DeleteSection(const std::string& path, std::string_view section) {
    IniDocument doc;
    if (const int error = LoadForWrite(path, doc)) {
        return error;
    }
    doc.DeleteSection(section);
    return doc.Changed() ? doc.Save(path) : 0;
}

}  // namespace ProfileIni

}  // namespace qm
