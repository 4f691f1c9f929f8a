// What DllRegisterServer stored, as the registry itself reports it: types and byte counts that a
// text query does not show. Which keys and values exist is checked with Wine's own tools by
// the registration script test.
#include <gtest/gtest.h>

#include <string>

#include "ModuleUnderTest.h"

namespace {

struct StoredString {
    LONG status = ERROR_SUCCESS;
    DWORD type = 0;
    DWORD bytes = 0;
    std::wstring text;  // up to the first null
    bool nullTerminated = false;
};

StoredString ReadDefaultValue(HKEY root, const wchar_t* path) {
    StoredString stored;
    HKEY key = nullptr;
    stored.status = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    if (stored.status != ERROR_SUCCESS) return stored;
    wchar_t buffer[1024];
    stored.bytes = sizeof buffer;
    stored.status = RegQueryValueExW(key, nullptr, nullptr, &stored.type,
                                     reinterpret_cast<BYTE*>(buffer), &stored.bytes);
    RegCloseKey(key);
    if (stored.status != ERROR_SUCCESS || stored.bytes < sizeof(wchar_t)) return stored;
    const size_t characters = stored.bytes / sizeof(wchar_t);
    stored.nullTerminated = buffer[characters - 1] == L'\0';
    stored.text.assign(buffer, stored.nullTerminated ? characters - 1 : characters);
    return stored;
}

}  // namespace

TEST(RegisteredValues, DefaultValuesAreStringsStoredWithTheirTerminatingNull) {
    struct Case {
        const wchar_t* path;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"CLSID\\{C7594340-029B-11D5-9B01-006008C4F4C8}", L"Veskar FX Arpeggiator"},
        {L"CLSID\\{C7594340-029B-11D5-9B01-006008C4F4C8}\\InprocServer32", ModulePath()},
        {L"CLSID\\{B7441A61-0F5B-11D2-9134-00600817CDCA}",
         L"Arpeggiator Midi Filter Property Page"},
        {L"CLSID\\{B7441A61-0F5B-11D2-9134-00600817CDCA}\\InprocServer32", ModulePath()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.path);
        const StoredString stored = ReadDefaultValue(HKEY_CLASSES_ROOT, c.path);
        ASSERT_EQ(stored.status, ERROR_SUCCESS);
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_TRUE(stored.nullTerminated);
        EXPECT_EQ(stored.bytes, (c.expected.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(stored.text, c.expected);
    }
}
