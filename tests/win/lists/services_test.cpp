// The services and drivers windows over the prefix's service manager; the
// only service acted on is one the test creates (with a binary that does not
// exist, so it can never run) and deletes.
#include "app/app_paths.h"
#include "framework/resources.h"
#include "lists/services.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/menu_listing.h"

#include <gtest/gtest.h>

namespace {

constexpr char kName[] = "OvixTestService";

// The test's own count of the manager's services of a type mask.
DWORD CountServices(DWORD typeMask) {
    ovix::ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    std::vector<BYTE> buffer(1 << 20);
    DWORD needed = 0, count = 0, resume = 0;
    ::EnumServicesStatusA(manager.Get(), typeMask, SERVICE_STATE_ALL,
                          reinterpret_cast<ENUM_SERVICE_STATUSA*>(buffer.data()), static_cast<DWORD>(buffer.size()),
                          &needed, &count, &resume);
    return count;
}

class Services : public testing::Test {
protected:
    void SetUp() override {
        manager.Reset(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(manager);
        ovix::ServiceHandle service(::CreateServiceA(manager.Get(), kName, "Ovix test service", SERVICE_ALL_ACCESS,
                                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                                     SERVICE_ERROR_NORMAL, path.c_str(), nullptr, nullptr, nullptr,
                                                     nullptr, nullptr));
        ASSERT_TRUE(service);
        ASSERT_TRUE(window.CreateModeless());
    }
    void TearDown() override {
        window.End(IDCANCEL);
        ovix::ServiceHandle service(::OpenServiceA(manager.Get(), kName, SERVICE_ALL_ACCESS));
        if (service) ::DeleteService(service.Get());
    }
    int Row() const {
        for (int row = 0; row < window.List().RowCount(); ++row) {
            if (window.List().Cell(row, 0) == kName) return row;
        }
        return -1;
    }
    void SelectAndRun(UINT id) {
        ListView_SetItemState(window.List().List(), Row(), LVIS_SELECTED, LVIS_SELECTED);
        ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
    }

    // Longer than the 1,024-byte configuration buffer the rows once had.
    const std::string path = "C:\\no such folder\\" + std::string(1100, 'p') + ".exe";
    test::CommandFakes fakes;
    ovix::ServiceHandle manager;
    ovix::ServiceListWindow window{ovix::ServiceListWindow::Kind::Services};
};

TEST_F(Services, RowsOfTheManagerAndAServiceOfOurOwn) {
    EXPECT_EQ(window.List().RowCount(), int(CountServices(SERVICE_WIN32)));
    char caption[64] = "";
    ::GetWindowTextA(window.Hwnd(), caption, sizeof(caption));
    EXPECT_EQ(caption, std::to_string(window.List().RowCount()) + " Services");
    const int row = Row();
    ASSERT_GE(row, 0);
    EXPECT_EQ(window.List().Row(row), (std::vector<std::string>{kName, "Ovix test service", "STOPPED", "DEMAND_START",
                                                                 "WIN32_OWN_PROCESS", path, "ERROR_NORMAL"}));
    ovix::ServiceListWindow drivers{ovix::ServiceListWindow::Kind::Drivers};
    ASSERT_TRUE(drivers.CreateModeless());
    EXPECT_EQ(drivers.List().RowCount(), int(CountServices(SERVICE_DRIVER)));
    EXPECT_EQ(drivers.List().Cell(0, 4), "KERNEL_DRIVER");
    EXPECT_EQ(test::MenuListing(drivers.ContextMenu().Get()),
              "Google=1097*;Copy to clipboard[selected line=1096*;All=1095*];Close this window=1");
    drivers.End(IDCANCEL);
    EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
              "Google=1080*;Copy to clipboard[Selected line=1089*;All=1091*];Manage[Stop=32895*;Start=32897*;"
              "Delete=32898*];Refresh list    (F5)=32896;Close this window=1");
    ListView_SetItemState(window.List().List(), row, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()).find('*'), std::string::npos) << "nothing greyed";
}

TEST_F(Services, FailuresAreSaidAndDeleteAsksFirst) {
    SelectAndRun(32897);  // its binary is missing
    SelectAndRun(32895);  // not running
    fakes.boxes.answer = IDNO;
    SelectAndRun(32898);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 32896, 0);
    EXPECT_GE(Row(), 0) << "No deletes nothing";
    fakes.boxes.answer = IDYES;
    SelectAndRun(32898);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 32896, 0);
    EXPECT_EQ(Row(), -1);
    EXPECT_EQ(fakes.boxes.Texts(), std::string("Impossible to start: ") + kName + " / Impossible to stop: " + kName +
                                       " / Are you sure ? / Are you sure ?");
    EXPECT_EQ(fakes.boxes.shown[2].caption, kName);
    EXPECT_EQ(fakes.boxes.shown[2].defaultButton, UINT(MB_DEFBUTTON2));
}

// A service that runs: started, seen running after a refresh only, stopped.
TEST_F(Services, StartAndStopShowOnTheNextRefresh) {
    constexpr char kRunning[] = "OvixTestRunning";
    const std::string child = ovix::ApplicationDirectory(fw::ModulePath()) + "\\service_child.exe";
    ovix::ServiceHandle created(::CreateServiceA(manager.Get(), kRunning, kRunning, SERVICE_ALL_ACCESS,
                                                 SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                                 child.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(created);
    const auto state = [&] {
        SERVICE_STATUS status{};
        ::QueryServiceStatus(created.Get(), &status);
        return status.dwCurrentState;
    };
    const auto rowState = [&] {
        for (int row = 0; row < window.List().RowCount(); ++row) {
            if (window.List().Cell(row, 0) == kRunning) return window.List().Cell(row, 2);
        }
        return std::string("missing");
    };
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 32896, 0);
    const auto run = [&](UINT id) {
        for (int row = 0; row < window.List().RowCount(); ++row) {
            if (window.List().Cell(row, 0) == kRunning) ListView_SetItemState(window.List().List(), row, LVIS_SELECTED, LVIS_SELECTED);
        }
        ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
    };
    run(32897);
    EXPECT_EQ(rowState(), "STOPPED") << "until the list is refreshed";
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 32896, 0);
    EXPECT_EQ(rowState(), "RUNNING");
    run(32895);
    for (int i = 0; i < 100 && state() != SERVICE_STOPPED; ++i) ::Sleep(20);
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 32896, 0);
    EXPECT_EQ(rowState(), "STOPPED");
    EXPECT_TRUE(fakes.boxes.shown.empty()) << fakes.boxes.Texts();
    ::DeleteService(created.Get());
}

}  // namespace
