// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DebugOutput.h"

#include <cstdio>
#include <cstdlib>

namespace qm {

void DebugOutput::Write(std::string_view text) {
    static const bool enabled = std::getenv("QM517_DEBUG") != nullptr;
    if (!enabled) {
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', stderr);
    }
}

bool CapturedDebugOutput::Contains(std::string_view text) const {
    for (const auto& line : m_lines) {
        if (line == text) {
            return true;
        }
    }
    return false;
}

}  // namespace qm
