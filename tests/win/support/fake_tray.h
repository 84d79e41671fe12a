// A notification area the tests control: it records every call and fails on demand.
#pragma once

#include "app/tray_dialog.h"

#include <vector>

namespace test {

class FakeTray : public ovix::TrayShell {
public:
    bool Notify(DWORD message, NOTIFYICONDATAA& record) override {
        calls.push_back(message);
        lastRecord = record;
        switch (message) {
        case NIM_ADD:
            if (failAdd) return false;
            present = true;
            return true;
        case NIM_DELETE:
            if (!present || failDelete) return false;
            present = false;
            return true;
        case NIM_MODIFY:
            return present;
        default:
            return false;
        }
    }

    int Count(DWORD message) const {
        int n = 0;
        for (DWORD call : calls) n += call == message;
        return n;
    }

    std::vector<DWORD> calls;
    NOTIFYICONDATAA lastRecord{};
    bool present = false;  // the icon as the shell sees it
    bool failAdd = false;
    bool failDelete = false;
};

}  // namespace test
