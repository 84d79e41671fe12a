// The e-mail report dialog driven by messages, with fake report sources and a
// fake mail client that records what it was handed: the defaults, the checks
// before anything is written, the attachment at call time, and every outcome
// of a send, after which the file and its folder are gone.
#include "report/mail_report_dialog.h"

#include "framework/handles.h"
#include "probes/system_probes.h"
#include "report/mail_client.h"
#include "resources/resource_ids.h"
#include "support/command_fakes.h"
#include "support/temp_folder.h"
#include "support/fake_report_sources.h"

#include <gtest/gtest.h>

namespace {

using namespace ovix;

// What the mail client saw of one call.
struct SeenCall {
    std::string subject, note, recipients, attachment, attachmentBytes, folderFiles;
    ULONG position = 0, flags = 0;
    HWND parent = nullptr;
    bool ownerEnabled = true, captured = false, waitCursor = false;
};

struct FakeMail : MailClient {
    FakeMail() : previous(SetMailClient(this)) {}
    ~FakeMail() override { SetMailClient(previous); }
    Library Load() override {
        ++loads;
        return library;
    }
    ULONG Send(HWND parent, MapiMessage& message, FLAGS flagsGiven) override {
        SeenCall call;
        call.subject = message.lpszSubject;
        call.note = message.lpszNoteText;
        for (ULONG i = 0; i < message.nRecipCount; ++i) {
            const MapiRecipDesc& recipient = message.lpRecips[i];
            call.recipients += std::string(recipient.lpszName) + (recipient.ulRecipClass == MAPI_TO ? "(to)" : "(?)") +
                               (recipient.lpszAddress ? "+address" : "") + ";";
        }
        EXPECT_EQ(message.nFileCount, 1u);
        call.attachment = message.lpFiles[0].lpszPathName;
        call.position = message.lpFiles[0].nPosition;
        EXPECT_EQ(message.lpFiles[0].lpszFileName, nullptr);
        call.attachmentBytes = test::FileBytes(call.attachment);
        const std::string folder = call.attachment.substr(0, call.attachment.rfind('\\'));
        for (const std::string& name : test::FilesIn(folder)) call.folderFiles += name + ";";
        call.flags = flagsGiven;
        call.parent = parent;
        call.ownerEnabled = ::IsWindowEnabled(parent) != FALSE;
        call.captured = ::GetCapture() != nullptr;
        call.waitCursor = ::GetCursor() == ::LoadCursorA(nullptr, IDC_WAIT);
        calls.push_back(call);
        return code;
    }
    Library library = Library::Ready;
    ULONG code = SUCCESS_SUCCESS;
    int loads = 0;
    std::vector<SeenCall> calls;
    MailClient* previous;
};

struct FailingWrites : FileWriteCall {
    bool Write(HANDLE, const void*, DWORD) override { return false; }
};

class MailReportTest : public testing::Test {
protected:
    MailReportTest() : owner(::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr)) {}
    ~MailReportTest() override { ::DestroyWindow(owner); }

    std::unique_ptr<MailReportDialog> Open() {
        auto dialog = std::make_unique<MailReportDialog>(std::make_unique<test::FakeReportSources>());
        EXPECT_TRUE(dialog->CreateModeless(owner));
        return dialog;
    }
    void Fill(MailReportDialog& dialog, const std::string& to1, const std::string& to2, const std::string& name) {
        dialog.SetItemText(IDC_MAIL_RECIPIENT1, to1);
        dialog.SetItemText(IDC_MAIL_RECIPIENT2, to2);
        dialog.SetItemText(IDC_MAIL_FILE_NAME, name);
    }
    static void Send(MailReportDialog& dialog) { ::SendMessageA(dialog.Hwnd(), WM_COMMAND, IDC_MAIL_SEND, 0); }
    static std::string TempPath() {
        char path[MAX_PATH] = "";
        return std::string(path, ::GetTempPathA(sizeof(path), path));
    }

    HWND owner;
    test::CommandFakes fakes;
    FakeMail mail;
};

TEST_F(MailReportTest, DefaultsHelpBodyAndTheChecksBeforeAnythingIsWritten) {
    auto dialog = Open();
    EXPECT_EQ(fw::WindowText(dialog->Hwnd()), "Send report by e-mail");
    EXPECT_EQ(dialog->ItemText(IDC_MAIL_RECIPIENT1), "someone@example.invalid");
    EXPECT_EQ(dialog->ItemText(IDC_MAIL_RECIPIENT2), "Leave blank if no needed...");
    EXPECT_EQ(dialog->ItemText(IDC_MAIL_SUBJECT), "Report on computer: " + probes::ComputerName());
    EXPECT_EQ(dialog->ItemText(IDC_MAIL_FILE_NAME), "Ovix_report");
    EXPECT_EQ(dialog->ItemText(516), "(Without extension)");

    bool hiddenDuringHelp = false;
    fakes.boxes.onShow = [&] { hiddenDuringHelp = !::IsWindowVisible(dialog->Hwnd()); };
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, IDC_MAIL_HELP, 0);
    fakes.boxes.onShow = nullptr;
    EXPECT_TRUE(hiddenDuringHelp);
    EXPECT_TRUE(::IsWindowVisible(dialog->Hwnd()));
    ASSERT_EQ(fakes.boxes.shown.size(), 1u);
    EXPECT_EQ(fakes.boxes.shown[0].caption, "Help");
    EXPECT_TRUE(fakes.boxes.shown[0].text.starts_with("- Enter e-mail address of recipient(s).\n"));
    EXPECT_TRUE(fakes.boxes.shown[0].text.ends_with("send it only to reliable people !!"));

    std::vector<std::string> asked;
    std::optional<std::string> answer = "Hello,\r\nthe report.";
    dialog->SetBodyPrompt([&](HWND, const std::string& question, const std::string& text) {
        asked.push_back(question + "|" + text);
        return answer;
    });
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, IDC_MAIL_BODY, 0);
    answer.reset();  // Cancel keeps the body
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, IDC_MAIL_BODY, 0);
    EXPECT_EQ(dialog->Body(), "Hello,\r\nthe report.");
    EXPECT_EQ(asked, (std::vector<std::string>{"Enter here the body of your e-mail:|",
                                                "Enter here the body of your e-mail:|Hello,\r\nthe report."}));

    const std::string fileNote = "\nIt's your report file which will be attached to your e-mail.";
    const struct {
        const char *to1, *name, *box;
    } refused[] = {
        {"someone@example.invalid", "r", "Please, enter a recipient."},
        {"   ", "r", "Please, enter a recipient."},
        {"bob", "", "Please, enter a file name."},
        {"bob", "nul.x", "Please, enter a valid file name."},
        {"bob", "..\\up", "Please, enter a valid file name."},
        {"bob", "*", "Please, enter a valid file name."},
    };
    for (const auto& c : refused) {
        fakes.boxes.shown.clear();
        Fill(*dialog, c.to1, "", c.name);
        Send(*dialog);
        ASSERT_EQ(fakes.boxes.shown.size(), 1u) << c.name;
        const std::string expected = std::string(c.box) + (std::string(c.box).find("file") != std::string::npos ? fileNote : "");
        EXPECT_EQ(fakes.boxes.shown[0].text, expected);
        EXPECT_EQ(fakes.boxes.shown[0].icon, UINT(MB_ICONINFORMATION));
    }
    EXPECT_EQ(mail.loads, 0);
    EXPECT_TRUE(mail.calls.empty());
    EXPECT_TRUE(::IsWindowVisible(dialog->Hwnd()));
}

// At call time the attachment is the mail flavour of the report, alone in a
// new folder under the temporary folder; the second recipient only when real.
TEST_F(MailReportTest, TheAttachmentAndTheMessageAtCallTime) {
    const std::string rootFile = "C:\\Ovix_report.txt";
    ASSERT_EQ(SaveTextFile(rootFile, "mine"), SaveResult::Done);
    mail.code = MAPI_USER_ABORT;
    const struct {
        const char *to2, *name, *recipients;
    } sends[] = {
        {"Leave blank if no needed...", "Ovix_report", "bob(to);"},
        {"  ", "a.txt", "bob(to);"},
        {" carol@example.net ", "x", "bob(to);carol@example.net(to);"},
    };
    auto dialog = Open();
    dialog->SetBodyPrompt([](HWND, const std::string&, const std::string&) { return std::string("Body"); });
    ::SendMessageA(dialog->Hwnd(), WM_COMMAND, IDC_MAIL_BODY, 0);
    for (const auto& s : sends) {
        Fill(*dialog, " bob ", s.to2, s.name);
        Send(*dialog);
    }
    ASSERT_EQ(mail.calls.size(), 3u);
    EXPECT_EQ(mail.loads, 1) << "the library is loaded once";
    for (size_t i = 0; i < 3; ++i) {
        const SeenCall& call = mail.calls[i];
        const std::string name = std::string(sends[i].name) + ".txt";
        EXPECT_EQ(call.recipients, sends[i].recipients);
        EXPECT_EQ(call.attachment.substr(call.attachment.rfind('\\') + 1), name);
        EXPECT_TRUE(call.attachment.starts_with(TempPath() + "Ovix-mail-")) << call.attachment;
        EXPECT_EQ(call.folderFiles, name + ";");
        EXPECT_NE(call.attachmentBytes.find("\r\n\r\n- Memory:\r\n\r\n"), std::string::npos) << "the mail flavour";
        EXPECT_EQ(call.subject, "Report on computer: " + probes::ComputerName());
        EXPECT_EQ(call.note, "Body ");
        EXPECT_EQ(call.position, 4u);
        EXPECT_EQ(call.flags, ULONG(MAPI_LOGON_UI));
        EXPECT_EQ(call.parent, owner);
        EXPECT_FALSE(call.ownerEnabled);
        EXPECT_TRUE(call.captured);
        EXPECT_TRUE(call.waitCursor);
        EXPECT_FALSE(test::Exists(call.attachment.substr(0, call.attachment.rfind('\\')))) << "folder gone";
    }
    EXPECT_EQ(test::FileBytes(rootFile), "mine");
    ::DeleteFileA(rootFile.c_str());
}

// Every way a send ends: the box or none, the file and its folder gone, the
// dialog closed only after a success, everything given back.
TEST_F(MailReportTest, EveryOutcomeCleansUpAndSaysWhatHappened) {
    FailingWrites failing;
    const struct {
        const char* outcome;
        MailClient::Library library;
        ULONG code;
        bool failWrites;
        const char* box;  // "" for none
        bool sent;
    } outcomes[] = {
        {"success", MailClient::Library::Ready, SUCCESS_SUCCESS, false,
         "E-mail: \"Report\"\nWith attached file \"r.txt\"\nWas sent to: bob carol", true},
        {"abort", MailClient::Library::Ready, MAPI_USER_ABORT, false, "", true},
        {"login failure", MailClient::Library::Ready, MAPI_E_LOGIN_FAILURE, false, "", true},
        {"other error", MailClient::Library::Ready, MAPI_E_FAILURE, false, "The e-mail could not be sent.", true},
        {"no library", MailClient::Library::Missing, 0, false, "The mail system could not be loaded.", false},
        {"no entry", MailClient::Library::NoSendMail, 0, false, "The mail system is not valid.", false},
        {"write failure", MailClient::Library::Ready, 0, true, "Error !\nThe report can't be written to \"", false},
    };
    const long fonts = fw::LiveCount(fw::ResourceKind::Gdi);
    for (const auto& o : outcomes) {
        FakeMail fresh;  // loads its library again
        fresh.library = o.library;
        fresh.code = o.code;
        fakes.boxes.shown.clear();
        auto dialog = Open();
        if (o.failWrites) dialog->SetFileWrites(&failing);
        Fill(*dialog, "bob", "carol", "r");
        dialog->SetItemText(IDC_MAIL_SUBJECT, "Report");
        Send(*dialog);
        EXPECT_EQ(fresh.calls.size(), o.sent ? 1u : 0u) << o.outcome;
        std::string boxes;
        for (const auto& box : fakes.boxes.shown) boxes += box.text;
        EXPECT_TRUE(std::string(o.box).empty() ? boxes.empty() : boxes.starts_with(o.box)) << o.outcome << ": " << boxes;
        const std::string& file = dialog->LastAttachment();
        if (!file.empty()) {
            EXPECT_FALSE(test::Exists(file)) << o.outcome;
            EXPECT_FALSE(test::Exists(file.substr(0, file.rfind('\\')))) << o.outcome;
        }
        EXPECT_EQ(dialog->Ended(), o.code == SUCCESS_SUCCESS && o.sent) << o.outcome;
        if (!dialog->Ended()) {
            EXPECT_TRUE(::IsWindowVisible(dialog->Hwnd())) << o.outcome;
            EXPECT_EQ(dialog->ItemText(IDC_MAIL_RECIPIENT2), "carol") << "fields as they were";
            EXPECT_TRUE(::IsWindowEnabled(dialog->Hwnd()));
            dialog->End(IDCANCEL);
        }
        EXPECT_TRUE(::IsWindowEnabled(owner)) << o.outcome;
        EXPECT_EQ(::GetCapture(), nullptr) << o.outcome;
    }
    EXPECT_EQ(fw::LiveCount(fw::ResourceKind::Gdi), fonts) << "every dialog's font given back";
}

}  // namespace
