// The installer's record of the shared help folder, set and removed by a test, and a folder to
// point it at. [ui thread]
#pragma once

#include <string>

// Whatever the test leaves is removed at the end.
class HelpFolderKey {
public:
    ~HelpFolderKey() { Remove(); }
    bool Set(const std::wstring& folder);
    void Remove();
};

// The system's folder for temporary files, without its trailing separator.
std::wstring TemporaryFolder();
