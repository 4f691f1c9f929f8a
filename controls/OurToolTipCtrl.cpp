#include "controls/OurToolTipCtrl.h"

#include <set>

namespace {

std::set<COurToolTipCtrl*>& LiveTooltips() {
    static std::set<COurToolTipCtrl*> live;
    return live;
}

}  // namespace

COurToolTipCtrl::COurToolTipCtrl() { LiveTooltips().insert(this); }

COurToolTipCtrl::~COurToolTipCtrl() { LiveTooltips().erase(this); }

void COurToolTipCtrl::PopAll() {
    for (COurToolTipCtrl* tooltip : LiveTooltips()) {
        if (tooltip->IsWindow()) {
            tooltip->Pop();
        }
    }
}

size_t COurToolTipCtrl::LiveCount() { return LiveTooltips().size(); }
