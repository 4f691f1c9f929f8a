#include "FormatEditor.h"

void GestureLog::Begin(uint32_t index) {
    ++count;
    if (!open.insert(index).second) Fail("begins again", index);
}

void GestureLog::Perform(uint32_t index) {
    ++count;
    if (open.count(index) == 0) Fail("changes outside a gesture", index);
}

void GestureLog::End(uint32_t index) {
    ++count;
    if (open.erase(index) == 0) Fail("ends a gesture it never began", index);
}

void GestureLog::Finish() {
    if (!open.empty()) Fail("leaves a gesture open", *open.begin());
    open.clear();
}

void GestureLog::Fail(const char* what, uint32_t index) {
    if (error.empty()) error = "parameter " + std::to_string(index) + " " + what;
}
