#include "editor/PageTexts.h"

#include <array>
#include <cwchar>

#include "MidiConstants.h"
#include "controls/win/ResourceModule.h"

namespace pagetext {

std::wstring Load(UINT id, size_t capacity) {
    std::wstring text(capacity, L'\0');
    const int length =
        LoadStringW(CResourceModule::Get(), id, text.data(), static_cast<int>(capacity));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

std::wstring Option(UINT firstId, int32_t count, int32_t index) {
    if (index < 0 || index >= count) return std::to_wstring(index) + L"?";
    return Load(firstId + static_cast<UINT>(index));
}

std::wstring PitchName(int32_t key) {
    // Built once per process, on first use; the static's initialisation is thread-safe.
    static const std::array<std::wstring, midi::kPitchClassCount> names = {
        L"C", L"C#", L"D", L"D#", L"E", L"F", L"F#", L"G", L"G#", L"A", L"A#", L"B"};
    if (key < midi::kLowestKey || key > midi::kHighestKey) return L"?";
    return names[static_cast<size_t>(key % midi::kPitchClassCount)] +
           std::to_wstring(key / midi::kPitchClassCount);
}

std::wstring KeyText(int32_t key) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%ld (%ls)", static_cast<long>(key),
                  PitchName(key).c_str());
    return text;
}

}  // namespace pagetext
