// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// printf-style formatting into a std::string. The program's texts are printf formats
// ("config%d.bin", "%d ms"), and this reproduces them exactly.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The C runtime's _wtoi/_wtol: optional leading blanks and sign, then the leading
// decimal digits; 0 when there are none. Out-of-range values saturate.
int32_t ParseDecimal(std::string_view text);

bool Contains(std::string_view text, std::string_view part);
// Every occurrence of `what` replaced by `with` (CString::Replace).
std::string ReplaceAll(std::string text, std::string_view what, std::string_view with);
std::string_view Trim(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);

}  // namespace qm
