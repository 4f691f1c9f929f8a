// The tooltip object of a site. Every one is entered in a process-wide set while it lives, so
// that a drag can hide whatever tip any site shows.
// [ui thread]
#pragma once

#include "controls/win/ToolTipCtrl.h"

class COurToolTipCtrl : public CToolTipCtrl {
public:
    COurToolTipCtrl();
    ~COurToolTipCtrl() override;

    // A shared tooltip belongs to someone else: the site does not delete it.
    bool IsShared() const { return shared; }
    void SetShared(bool isShared) { shared = isShared; }

    // Hides the tips of every live tooltip object.
    static void PopAll();
    static size_t LiveCount();

private:
    bool shared = false;
};
