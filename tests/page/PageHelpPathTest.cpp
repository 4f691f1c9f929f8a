// The help file the page's Help opens is the one the installer put in the folder it recorded.
// Wine's HTML Help hands out no cookie (HH_INITIALIZE gives 0), so under Wine Help never shows a
// window and the path is checked here, where the page computed it, not through a help window.
#include <gtest/gtest.h>

#include <string>

#include "support/HelpFolderKey.h"
#include "support/PageHarness.h"

TEST(PageHelpPath, TheHelpFileIsTheOneInTheFolderTheInstallerRecorded) {
    HelpFolderKey key;
    struct Row {
        const wchar_t* recorded;  // null: no folder recorded
        const wchar_t* path;
    };
    for (const Row row : {
             Row{L"C:\\Program Files\\Veskar Music Software\\Shared MIDI Plugins",
                 L"C:\\Program Files\\Veskar Music Software\\Shared MIDI Plugins\\Arpeggiator.chm"},
             Row{L"D:\\Music\\Plug-ins", L"D:\\Music\\Plug-ins\\Arpeggiator.chm"},
             // Nothing recorded: a path that names no file, so Help shows nothing.
             Row{nullptr, L"\\Arpeggiator.chm"},
         }) {
        SCOPED_TRACE(row.path);
        if (row.recorded != nullptr) {
            ASSERT_TRUE(key.Set(row.recorded));
        } else {
            key.Remove();
        }
        PageHarness h;
        EXPECT_EQ(h.probe.HelpPath(), row.path);
        EXPECT_EQ(h.probe.HelpCookie(), 0u)
            << "Wine's HTML Help now gives a cookie: test Help's window";
    }
}
