#include "controls/NWAppInfo.h"

namespace {
const INWAppInfo* appInfo = nullptr;
}

const INWAppInfo* GetNWAppInfo() { return appInfo; }

void SetNWAppInfo(const INWAppInfo* info) { appInfo = info; }
