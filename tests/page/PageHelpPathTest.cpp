// The help file the page's Help opens is the one the installer put in the folder it recorded.
// Wine's HTML Help hands out no cookie (HH_INITIALIZE gives 0), so under Wine Help never shows a
// window and the path is checked here, where the page computed it, not through a help window.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "support/PageHarness.h"

namespace {

constexpr wchar_t kSharedPluginsKey[] = L"Software\\Veskar Music Software\\Shared MIDI Plugins";

// The installer's record of the shared help folder, in the build's one prefix; null removes it.
void RecordHelpFolder(const wchar_t* folder) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kSharedPluginsKey);
    if (folder == nullptr) return;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSharedPluginsKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const auto bytes = static_cast<DWORD>((std::wcslen(folder) + 1) * sizeof(wchar_t));
    RegSetValueExW(key, L"InstallDirectory", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   bytes);
    RegCloseKey(key);
}

}  // namespace

TEST(PageHelpPath, TheHelpFileIsTheOneInTheFolderTheInstallerRecorded) {
    struct Row {
        const wchar_t* recorded;  // null: no folder recorded
        const wchar_t* path;
    };
    for (const Row row : {
             Row{L"C:\\Program Files\\Veskar Music Software\\Shared MIDI Plugins",
                 L"C:\\Program Files\\Veskar Music Software\\Shared MIDI Plugins\\Arpeggiator.chm"},
             // Nothing recorded: a path that names no file, so Help shows nothing.
             Row{nullptr, L"\\Arpeggiator.chm"},
         }) {
        SCOPED_TRACE(row.path);
        RecordHelpFolder(row.recorded);
        PageHarness h;
        EXPECT_EQ(h.probe.HelpPath(), row.path);
        EXPECT_EQ(h.probe.HelpCookie(), 0u)
            << "Wine's HTML Help now gives a cookie: test Help's window";
    }
}
