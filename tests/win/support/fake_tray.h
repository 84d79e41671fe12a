// A notification area the tests control: it records every call and fails on demand.
#pragma once

#include "app/tray_dialog.h"

#include <algorithm>
#include <vector>

namespace test {

class FakeTray : public ovix::TrayShell {
public:
    bool Notify(DWORD message, NOTIFYICONDATAA& record) override {
        calls.push_back(message);
        lastRecord = record;
        const bool done = (message == NIM_ADD && !failAdd) || (message == NIM_DELETE && present && !failDelete);
        if (done) present = message == NIM_ADD;
        return done || (message == NIM_MODIFY && present);
    }

    int Count(DWORD message) const { return static_cast<int>(std::count(calls.begin(), calls.end(), message)); }

    std::vector<DWORD> calls;
    NOTIFYICONDATAA lastRecord{};
    bool present = false;  // the icon as the shell sees it
    bool failAdd = false;
    bool failDelete = false;
};

}  // namespace test
