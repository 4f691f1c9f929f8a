#include "controls/AbbreviateName.h"

#include <cwchar>
#include <cwctype>

namespace {

bool IsLowerVowel(wchar_t ch) { return std::wcschr(L"aeiou", ch) != nullptr && ch != 0; }

}  // namespace

std::wstring AbbreviateName(const std::wstring& name, int maxChars) {
    const auto limit = static_cast<size_t>(maxChars);
    if (maxChars < 1 || name.size() <= limit) {
        return name;
    }
    // Word starts are kept as they are, so remember them before the blanks go.
    std::wstring text;
    std::wstring wordStart;
    bool atWordStart = true;
    for (wchar_t ch : name) {
        if (std::iswspace(static_cast<wint_t>(ch))) {
            atWordStart = true;
            continue;
        }
        text += ch;
        wordStart += atWordStart ? L'1' : L'0';
        atWordStart = false;
    }
    for (size_t i = text.size(); i-- > 0 && text.size() > limit;) {
        if (wordStart[i] == L'0' && IsLowerVowel(text[i])) {
            text.erase(i, 1);
            wordStart.erase(i, 1);
        }
    }
    if (text.size() > limit) {
        text.resize(limit);
    }
    return text;
}
