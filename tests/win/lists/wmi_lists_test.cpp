// Packages, COM applications and codecs over rows of the test's own.
#include "framework/library.h"
#include "lists/file_details.h"
#include "lists/wmi_lists.h"
#include "list_fakes.h"
#include "support/command_fakes.h"
#include "support/menu_listing.h"
#include "support/temp_folder.h"
#include "tests/host/probes/fake_row_source.h"

#include <gtest/gtest.h>

namespace {

using ovix::wmi::Value;
using Cells = std::vector<std::string>;

TEST(WmiLists, PackagesEachRowFromItsOwnPackageAndQuotedCommands) {
    test::FakeRowSource rows;
    rows.Add("Win32_Product", {{"Name", Value::OfText("Alpha")}, {"Vendor", Value::OfText("A Co")},
                               {"PackageCache", Value::OfText("C:\\My Installer\\a 1.msi")},
                               {"InstallDate", Value::OfText("20061231")}})
        .Add("Win32_Product", {{"Name", Value::OfText("Beta")}, {"Version", Value::OfText("2.0")},
                               {"InstallDate", Value::OfText("2006123")}})
        .Add("Win32_Product", {{"Name", Value::OfText("Gamma")}, {"Version", Value::OfText("3.1")},
                               {"Vendor", Value::OfText("G")}, {"PackageCache", Value::OfText("C:\\g.msi")}});
    test::CommandFakes fakes;
    ovix::CInstallers window(&rows);
    ASSERT_TRUE(window.CreateModeless());
    EXPECT_EQ(test::Rows(window.List()), (std::vector<Cells>{{"Alpha", "", "A Co", "12/31/2006", "C:\\My Installer\\a 1.msi"},
                                                            {"Beta", "2.0", "", "", ""},
                                                            {"Gamma", "3.1", "G", "", "C:\\g.msi"}}));
    EXPECT_EQ(rows.classesRead, std::vector<std::string>{"Win32_Product"}) << "one query";
    EXPECT_EQ(window.Caption(), "3 installed packages.");
    EXPECT_EQ(test::MenuListing(window.ContextMenu().Get()),
              "Google=1501;Manage[Launch=1502;Repair=1503;Delete=1504];Properties=1505;"
              "Copy to clipboard[Selected line=1506;All=1507];=0*;Close this window=1");
    test::SelectRows(window.List(), {0, 1, 2});
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1502, 0);
    test::SelectRows(window.List(), {1});
    for (UINT id : {1503u, 1504u, 1505u}) ::SendMessageA(window.Hwnd(), WM_COMMAND, id, 0);
    test::SelectRows(window.List(), {2});
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1504, 0);
    EXPECT_EQ(fakes.launcher.calls, (std::vector<std::string>{"winexec|msiexec /I \"C:\\My Installer\\a 1.msi\"|10",
                                                              "winexec|msiexec /I \"C:\\g.msi\"|10",
                                                              "winexec|msiexec /x \"C:\\g.msi\"|10"}));
    ::SendMessageA(window.Hwnd(), WM_COMMAND, 1506, 0);
    EXPECT_EQ(test::ClipboardText(),
              "Name: [Gamma]\r\nVersion: [3.1]\r\nVendor: [G]\r\nInstall date: []\r\nPackage cache: [C:\\g.msi]\r\n");
    window.End(IDCANCEL);
}

TEST(WmiLists, CodecCellsNeverCarryOverAndComNamesOncePerOpening) {
    test::TempFolder folder("codecs");
    const std::string versioned = folder.File("VERS.ACM"), plain = folder.File("PLAIN.ACM");
    ASSERT_TRUE(::CopyFileA((fw::SystemFolder() + "\\kernel32.dll").c_str(), versioned.c_str(), FALSE));
    test::WriteBytes(plain, 2048);
    test::FakeRowSource rows;
    for (const std::string& path : {versioned, plain, folder.File("GONE.ACM")}) {
        rows.Add("Win32_CodecFile", {{"EightDotThreeFileName", Value::OfText(path)}});
    }
    rows.Add("Win32_COMApplication", {{"Caption", Value::OfText("First app")}})
        .Add("Win32_COMApplication", {{"Caption", Value::OfText("Second app")}});
    test::CommandFakes fakes;
    {
        ovix::CCodecList window(&rows);
        ASSERT_TRUE(window.CreateModeless());
        const ovix::FileDetails details = ovix::ReadFileDetails(versioned);
        ASSERT_FALSE(details.version.empty());
        const auto listed = test::Rows(window.List());
        ASSERT_EQ(listed.size(), 3u);
        EXPECT_EQ(listed[0], (Cells{details.description, "VERS", details.version, listed[0][3], details.company, versioned}));
        EXPECT_EQ(listed[1], (Cells{"", "PLAIN", "", "2.00 KB", "", plain}));
        EXPECT_EQ(listed[2], (Cells{"", "", "", "", "", folder.File("GONE.ACM")}));
        EXPECT_EQ(window.Caption(), "3 Installed Codecs");
        window.End(IDCANCEL);
    }
    for (int opening = 0; opening < 2; ++opening) {
        ovix::CComApp window(&rows);
        ASSERT_TRUE(window.CreateModeless());
        EXPECT_EQ(test::Rows(window.List()), (std::vector<Cells>{{"First app"}, {"Second app"}}));
        EXPECT_EQ(window.Caption(), "COM Applications");
        EXPECT_FALSE(window.ContextMenu()) << "no menu";
        window.End(IDCANCEL);
    }
}

}  // namespace
