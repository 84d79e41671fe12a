#include "framework/com.h"
#include "framework/dialog.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

namespace {

// A dialog on the About template with a message map of its own.
class MappedProbe : public fw::MappedDialog<MappedProbe> {
public:
    MappedProbe() : MappedDialog(IDD_ABOUT) {}
    static const Map& MessageMap() {
        static const Map::Message messages[] = {{WM_APP + 7, &MappedProbe::OnApp}};
        static const Map::Command commands[] = {{IDC_ABOUT_HOMEPAGE, &MappedProbe::OnHomepage}};
        static const Map map{messages, commands};
        return map;
    }
    std::vector<std::string> log;

protected:
    BOOL OnInitDialog() override { return log.push_back("init"), TRUE; }
    void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
    void OnDestroy() override { log.push_back("destroy"); }
    LRESULT OnApp(WPARAM wParam, LPARAM) { return log.push_back("app " + std::to_string(wParam)), 1234; }
    void OnHomepage() { log.push_back("homepage"); }
};

TEST(Dialog, MessageMapRoutesMessagesCommandsAndTimers) {
    MappedProbe dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(::SendMessageA(dialog.Hwnd(), WM_APP + 7, 5, 0), 1234);
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_ABOUT_HOMEPAGE, 0);
    ::SendMessageA(dialog.Hwnd(), WM_TIMER, 9, 0);
    ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"init", "app 5", "homepage", "timer 9", "destroy"}));
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
}

TEST(Dialog, ModalLoopReturnsTheEndValueAndReenablesTheOwner) {
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MappedProbe dialog;
    // Ends from inside the loop, as a button press would.
    ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ::PostMessageA(::FindWindowA(nullptr, "About Ovix"), WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(owner), IDOK);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    ::DestroyWindow(owner);

    // A template that does not exist fails cleanly.
    struct Missing : fw::Dialog { Missing() : Dialog(4321) {} } missing;
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_FALSE(missing.CreateModeless());
}

TEST(ComInit, LeavesTheThreadAsItFoundIt) {
    std::thread([] {
        { EXPECT_EQ(fw::ComInit(COINIT_MULTITHREADED).Result(), S_OK); }
        ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "nothing was left initialised";
        // On a thread that is initialised already: a balanced reference, or none for another model.
        const auto nested = [](DWORD model) {
            fw::ComInit init(model);
            return std::make_pair(init.Result(), init.Usable());
        };
        EXPECT_EQ(nested(COINIT_MULTITHREADED), std::make_pair(S_FALSE, true));
        EXPECT_EQ(nested(COINIT_APARTMENTTHREADED), std::make_pair(RPC_E_CHANGED_MODE, true));
        // Still in the multi-threaded apartment, with exactly our one reference.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        ::CoUninitialize();
        ::CoUninitialize();
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        ::CoUninitialize();
    }).join();
}

}  // namespace
