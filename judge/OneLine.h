// Names and quoted texts as they go into the judge's line output, where
// each verdict and each remark is one line that scripts split at tabs and
// line ends: a tab or a line break in a file's name would split it. So
// every control byte (0x00 to 0x1F, 0x7F) is written as an escape, "\t",
// "\n", "\r" or "\xHH" (two lower-case hex digits), and a backslash as
// "\\", so that the escapes read back unambiguously. Every other byte, a
// name's bytes that are no UTF-8 among them, stays as it is.
#pragma once

#include <string>
#include <string_view>

std::string OneLine(std::string_view text);
