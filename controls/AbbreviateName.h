// The short form of a control name that labels use when room is scarce.
#pragma once

#include <string>

// Names that fit are returned unchanged. Longer ones lose their blanks, then the lower-case
// vowels that do not start a word (from the end), and are then cut to `maxChars`. A limit
// below 1 leaves the name whole.
std::wstring AbbreviateName(const std::wstring& name, int maxChars);
