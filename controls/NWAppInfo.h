// What the toolkit asks of the application object. A module sets its answers once, before
// its first control is made; without them the fonts use "Tahoma" and names are abbreviated.
#pragma once

class INWAppInfo {
public:
    // Face name of the shared control fonts; null for the default.
    virtual const wchar_t* GetControlFontFace() const = 0;
    // Whether controls show their names in full rather than abbreviated.
    virtual bool ShowFullControlNames() const = 0;
    // Whether the shared objects also measure a reference text size ("Wh" at 10 points).
    virtual bool WantsReferenceTextSize() const = 0;

protected:
    ~INWAppInfo() = default;
};

// [ui thread] The answers in force; null: the defaults.
const INWAppInfo* GetNWAppInfo();
void SetNWAppInfo(const INWAppInfo* info);
