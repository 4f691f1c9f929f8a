// The module's string table and version record, read from the module's own handle as the
// module itself reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "ModuleUnderTest.h"

TEST(ModuleResources, StringTableHoldsTheRegisteredNamesThePageTitleAndEveryOptionName) {
    LoadedModule module;
    ASSERT_NE(module.Handle(), nullptr);
    struct Case {
        UINT id;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1, L"Veskar FX Arpeggiator"},
        {2, L"Arpeggiator Midi Filter Property Page"},
        {10, L"Arpeggiator MIDI Filter"},
        {14, L"Up, Down"},
        {15, L"Down, Up"},
        {16, L"Up, Up"},
        {17, L"Down, Down"},
        {18, L"Notes"},
        {19, L"MIDI Ticks"},
        {20, L"Milliseconds"},
        {21, L"1/32"},
        {22, L"1/32 T"},
        {23, L"1/16"},
        {24, L"1/16 T"},
        {25, L"1/8"},
        {26, L"1/8 T"},
        {27, L"1/4"},
        {28, L"1/4 T"},
        {29, L"1/2"},
        {30, L"1/2 T"},
        {31, L"Whole"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        wchar_t text[128];
        std::fill(std::begin(text), std::end(text), L'\x5555');
        const int length = LoadStringW(module.Handle(), c.id, text, 128);
        EXPECT_EQ(std::wstring(text, static_cast<size_t>(length > 0 ? length : 0)), c.text);
    }
}

TEST(ModuleResources, VersionRecordCarriesTheProjectVersionAndADescription) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(ModulePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(ModulePath().c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    ASSERT_EQ(fixedSize, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(ARP_VERSION_MINOR, ARP_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, ARP_VERSION_PATCH));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    for (const wchar_t* field : {L"\\StringFileInfo\\040904B0\\FileDescription",
                                 L"\\StringFileInfo\\040904B0\\FileVersion",
                                 L"\\StringFileInfo\\040904B0\\ProductVersion"}) {
        SCOPED_TRACE(testing::Message() << field);
        wchar_t* text = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(record.data(), field, reinterpret_cast<void**>(&text), &length));
        EXPECT_GT(length, 1u);
    }
}
