#include "report/mail_report_dialog.h"

#include "app/message_boxes.h"
#include "app/shell_files.h"
#include "app/text_prompt.h"
#include "framework/text_format.h"
#include "probes/system_probes.h"
#include "report/mail_client.h"
#include "report/mail_rules.h"
#include "resources/resource_ids.h"

namespace ovix {
namespace {

constexpr char kHelpText[] =
    "- Enter e-mail address of recipient(s).\n- Enter a subject for your e-mail.\n- Enter a body.\n- Enter a name "
    "for your report's file (it will be automatically attached to your e-mail).\n\n - No need to write your own "
    "e-mail address or your smtp server.\n\n --> Your report contains private informations, send it only to "
    "reliable people !!";
constexpr char kAttachedFileNote[] = "\nIt's your report file which will be attached to your e-mail.";
// "Ovix-mail-" and eight hexadecimal digits.
constexpr size_t kFolderNameLength = 18;

std::string TemporaryFolder() {
    char path[MAX_PATH + 1] = "";
    const DWORD length = ::GetTempPathA(sizeof(path), path);
    return length > 0 && length < sizeof(path) ? std::string(path, length) : std::string();
}

// A folder of this send's own under the temporary folder: the report is the
// only file in it, and both go when the send is over, on every way out.
class SendFolder {
public:
    explicit SendFolder(const std::string& parent) {
        DWORD seed = ::GetTickCount() ^ (::GetCurrentProcessId() << 16);
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const std::string path = parent + fw::Format("Ovix-mail-%08lX", static_cast<unsigned long>(seed++));
            if (::CreateDirectoryA(path.c_str(), nullptr)) path_ = path;
            else if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
        }
    }
    ~SendFolder() { Remove(); }
    SendFolder(const SendFolder&) = delete;
    SendFolder& operator=(const SendFolder&) = delete;

    const std::string& Path() const { return path_; }
    void Hold(std::string file) { file_ = std::move(file); }
    void Remove() {
        if (path_.empty()) return;
        // Exactly the report, not into the Recycle Bin, nothing asked.
        if (!file_.empty() && ::GetFileAttributesA(file_.c_str()) != INVALID_FILE_ATTRIBUTES) ShellDelete(file_, false);
        ::RemoveDirectoryA(path_.c_str());
        path_.clear();
    }

private:
    std::string path_;
    std::string file_;
};

// While the mail client has the message: the wait cursor, the windows
// disabled, the mouse captured; everything given back as it was.
class SendScope {
public:
    SendScope(HWND dialog, HWND owner)
        : dialog_(dialog),
          owner_(owner),
          dialogEnabled_(::IsWindowEnabled(dialog) != FALSE),
          ownerEnabled_(owner && ::IsWindowEnabled(owner)),
          cursor_(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {
        if (owner_) ::EnableWindow(owner_, FALSE);
        ::EnableWindow(dialog_, FALSE);
        ::SetCapture(dialog_);
    }
    ~SendScope() {
        ::ReleaseCapture();
        ::EnableWindow(dialog_, dialogEnabled_);
        if (owner_) ::EnableWindow(owner_, ownerEnabled_);
        ::SetCursor(cursor_);
        if (owner_ && ownerEnabled_) ::SetActiveWindow(owner_);
    }
    SendScope(const SendScope&) = delete;
    SendScope& operator=(const SendScope&) = delete;

private:
    HWND dialog_, owner_;
    bool dialogEnabled_, ownerEnabled_;
    HCURSOR cursor_;
};

}  // namespace

MailReportDialog::MailReportDialog(std::unique_ptr<ReportSources> sources)
    : MappedDialog(IDD_MAIL_REPORT), sources_(sources ? std::move(sources) : GatherReportSources()), bodyPrompt_(PromptForText) {}

MailReportDialog::~MailReportDialog() = default;

const MailReportDialog::Map& MailReportDialog::MessageMap() {
    static const Map::Command commands[] = {
        {IDC_MAIL_BODY, &MailReportDialog::OnBody},
        {IDC_MAIL_HELP, &MailReportDialog::OnHelp},
        {IDC_MAIL_SEND, &MailReportDialog::OnSend},
    };
    static const Map map{{}, commands};
    return map;
}

BOOL MailReportDialog::OnInitDialog() {
    SetItemText(IDC_MAIL_RECIPIENT1, kRecipientPlaceholder);
    SetItemText(IDC_MAIL_RECIPIENT2, kSecondRecipientDefault);
    SetItemText(IDC_MAIL_SUBJECT, fw::Format("Report on computer: %s", probes::ComputerName().c_str()));
    SetItemText(IDC_MAIL_FILE_NAME, kReportNameDefault);
    statusFont_ = fw::BoldTahoma(12);
    ::SendMessageA(Item(IDC_MAIL_STATUS), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.Get()), FALSE);
    return TRUE;
}

void MailReportDialog::OnDestroy() { ::SendMessageA(Item(IDC_MAIL_STATUS), WM_SETFONT, 0, FALSE); }

bool MailReportDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (running_) return true;
    return MappedDialog::OnCommand(id, notifyCode, control);
}

void MailReportDialog::Tell(const std::string& text, UINT icon) const {
    // Once the dialog is hidden, its owner holds the box.
    const HWND owner = ::IsWindowVisible(Hwnd()) ? Hwnd() : ::GetWindow(Hwnd(), GW_OWNER);
    ShowMessage({.owner = owner, .text = text, .icon = icon});
}

void MailReportDialog::OnBody() {
    if (auto body = bodyPrompt_(Hwnd(), "Enter here the body of your e-mail:", body_)) body_ = std::move(*body);
}

void MailReportDialog::OnHelp() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    ShowMessage({.owner = ::GetWindow(Hwnd(), GW_OWNER), .text = kHelpText, .caption = "Help",
                 .icon = MB_ICONINFORMATION});
    ::ShowWindow(Hwnd(), SW_SHOW);
}

void MailReportDialog::OnSend() {
    const std::string subject = ItemText(IDC_MAIL_SUBJECT), name = ItemText(IDC_MAIL_FILE_NAME);
    const std::string to1 = EffectiveRecipient(ItemText(IDC_MAIL_RECIPIENT1), kRecipientPlaceholder);
    const std::string to2 = EffectiveRecipient(ItemText(IDC_MAIL_RECIPIENT2), kSecondRecipientDefault);
    if (to1.empty()) return Tell("Please, enter a recipient.", MB_ICONINFORMATION);
    if (name.empty()) return Tell(std::string("Please, enter a file name.") + kAttachedFileNote, MB_ICONINFORMATION);

    running_ = true;
    const std::optional<ULONG> code = WriteAndSend(subject, name, to1, to2);
    running_ = false;
    SetItemText(IDC_MAIL_STATUS, "");
    if (code == SUCCESS_SUCCESS) {
        Tell(fw::Format("E-mail: \"%s\"\nWith attached file \"%s.txt\"\nWas sent to: %s %s", subject.c_str(),
                        name.c_str(), to1.c_str(), to2.c_str()),
             MB_ICONINFORMATION);
        End(IDOK);
        return;
    }
    // A cancel in the mail client or its logon needs no word of ours.
    if (code && *code != MAPI_USER_ABORT && *code != MAPI_E_LOGIN_FAILURE) {
        Tell("The e-mail could not be sent.", MB_ICONEXCLAMATION);
    }
    ::ShowWindow(Hwnd(), SW_SHOW);
}

std::optional<ULONG> MailReportDialog::WriteAndSend(const std::string& subject, const std::string& name,
                                                    const std::string& to1, const std::string& to2) {
    const std::string temporary = TemporaryFolder();
    if (temporary.empty() || !IsPlainReportName(name, temporary.size() + kFolderNameLength)) {
        Tell(std::string("Please, enter a valid file name.") + kAttachedFileNote, MB_ICONINFORMATION);
        return std::nullopt;
    }
    switch (LoadMailLibrary()) {
        case MailClient::Library::Ready: break;
        case MailClient::Library::Missing: Tell("The mail system could not be loaded.", MB_ICONEXCLAMATION); return {};
        case MailClient::Library::NoSendMail: Tell("The mail system is not valid.", MB_ICONEXCLAMATION); return {};
    }
    SendFolder folder(temporary);
    attachment_ = (folder.Path().empty() ? temporary : folder.Path()) + "\\" + name + ".txt";
    folder.Hold(attachment_);
    SetItemText(IDC_MAIL_STATUS, fw::Format("Please wait...Ovix creates \"%s.txt\" to send it to %s %s", name.c_str(),
                                            to1.c_str(), to2.c_str()));
    ::UpdateWindow(Hwnd());
    if (folder.Path().empty() ||
        SaveReport(attachment_, *sources_, ReportFlavour::Mail, nullptr, writes_) != SaveResult::Done) {
        Tell(fw::Format("Error !\nThe report can't be written to \"%s\".", attachment_.c_str()), MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    SetItemText(IDC_MAIL_STATUS, fw::Format("Sending e-mail \"%s\" with attached file \"%s.txt\" to %s %s",
                                            subject.c_str(), name.c_str(), to1.c_str(), to2.c_str()));
    ::UpdateWindow(Hwnd());
    const HWND owner = ::GetWindow(Hwnd(), GW_OWNER);
    ULONG code;
    {
        const SendScope scope(Hwnd(), owner);
        code = SendMailRecord(owner, BuildMailRecord(subject, body_, to1, to2, attachment_));
    }
    ::ShowWindow(Hwnd(), SW_HIDE);
    folder.Remove();
    return code;
}

}  // namespace ovix
