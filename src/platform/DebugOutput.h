// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Stands in for OutputDebugStringW: the program's trace of what it did with files and
// devices. Lines keep their exact text (including any trailing "\n"), because people
// compare them with traces of the Windows program.
class DebugOutput {
public:
    virtual ~DebugOutput() = default;
    // Default: writes to stderr when the environment variable QM517_DEBUG is set.
    virtual void Write(std::string_view text);
};

// Collects every line; tests read them back.
class CapturedDebugOutput : public DebugOutput {
public:
    void Write(std::string_view text) override { m_lines.emplace_back(text); }
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Contains(std::string_view text) const;
    void Clear() { m_lines.clear(); }

private:
    std::vector<std::string> m_lines;
};

}  // namespace qm
