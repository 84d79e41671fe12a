#include "tools/password_dialog.h"

#include "app/message_boxes.h"
#include "resources/resource_ids.h"
#include "widgets/tooltip.h"

#include <wincrypt.h>

namespace ovix {
namespace {

constexpr COLORREF kBackground = RGB(245, 255, 250);
constexpr COLORREF kGroupText = RGB(205, 92, 92);
constexpr char kHelpText[] =
    "- Select a kind of password (simple, complex...).\n- Select the number of characters for your password.\n- "
    "Click on \"Generate\" button.";
constexpr char kTooShort[] =
    "Minimum 4 characters are required.\nTo avoid a \"Brut Force\", a password must have minimum 8 characters.";

}  // namespace

SecureRandom::SecureRandom() {
    HCRYPTPROV provider = 0;
    if (::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) provider_ = provider;
}

SecureRandom::~SecureRandom() {
    if (provider_) ::CryptReleaseContext(provider_, 0);
    WipeBytes(buffer_, sizeof(buffer_));
}

bool SecureRandom::NextByte(uint8_t& byte) {
    if (!provider_) return false;
    if (used_ == sizeof(buffer_)) {
        if (!::CryptGenRandom(provider_, sizeof(buffer_), buffer_)) return false;
        used_ = 0;
    }
    byte = buffer_[used_++];
    return true;
}

PasswordBox::PasswordBox() : MappedDialog(IDD_PASSWORDS) {}

PasswordBox::~PasswordBox() = default;

const PasswordBox::Map& PasswordBox::MessageMap() {
    static const Map::Message messages[] = {
        {WM_CTLCOLORSTATIC, &PasswordBox::OnCtlColor},
        {WM_CTLCOLORDLG, &PasswordBox::OnCtlColor},
        {WM_CTLCOLORBTN, &PasswordBox::OnCtlColor},
    };
    static const Map::Command commands[] = {
        {IDC_PASSWORD_GENERATE, &PasswordBox::OnGenerate},
        {IDC_PASSWORD_HELP, &PasswordBox::OnHelp},
        {IDC_PASSWORD_KIND_FIRST + 0, &PasswordBox::OnKindChanged},
        {IDC_PASSWORD_KIND_FIRST + 1, &PasswordBox::OnKindChanged},
        {IDC_PASSWORD_KIND_FIRST + 2, &PasswordBox::OnKindChanged},
        {IDC_PASSWORD_KIND_FIRST + 3, &PasswordBox::OnKindChanged},
        {IDC_PASSWORD_KIND_FIRST + 4, &PasswordBox::OnKindChanged},
        {IDC_PASSWORD_KIND_FIRST + 5, &PasswordBox::OnKindChanged},
    };
    static const Map map{messages, commands};
    return map;
}

BOOL PasswordBox::OnInitDialog() {
    background_.Reset(::CreateSolidBrush(kBackground));
    group_.Attach(Item(IDC_PASSWORD_GROUP), "Comic Sans MS", 18, true, kGroupText, kBackground);
    generateButton_.SetIcon(Item(IDC_PASSWORD_GENERATE), IDI_TREE_STAR);
    helpButton_.SetIcon(Item(IDC_PASSWORD_HELP), IDI_TREE_HELP);
    helpTip_ = widgets::AddTooltip(Hwnd(), Item(IDC_PASSWORD_HELP), "Help me");
    ::CheckRadioButton(Hwnd(), IDC_PASSWORD_KIND_FIRST, IDC_PASSWORD_KIND_FIRST + 5,
                       IDC_PASSWORD_KIND_FIRST + static_cast<int>(PasswordKind::Intermediate));
    ::SendMessageA(Item(IDC_PASSWORD_LENGTH), EM_LIMITTEXT, 2, 0);
    SetItemText(IDC_PASSWORD_LENGTH, "8");
    SetItemText(IDC_PASSWORD_RESULT, "Result here...");
    return TRUE;
}

void PasswordBox::OnDestroy() { group_.Detach(); }

bool PasswordBox::PreTranslateMessage(MSG& message) {
    widgets::RelayToTooltip(helpTip_, message);
    return false;
}

LRESULT PasswordBox::OnCtlColor(WPARAM wParam, LPARAM) {
    ::SetBkColor(reinterpret_cast<HDC>(wParam), kBackground);
    return reinterpret_cast<LRESULT>(background_.Get());
}

PasswordKind PasswordBox::SelectedKind() const {
    for (int i = 0; i < 6; ++i) {
        if (::IsDlgButtonChecked(Hwnd(), IDC_PASSWORD_KIND_FIRST + i) == BST_CHECKED) return static_cast<PasswordKind>(i);
    }
    return PasswordKind::Intermediate;
}

void PasswordBox::OnKindChanged() {
    const int show = SelectedKind() == PasswordKind::Random ? SW_HIDE : SW_SHOW;
    ::ShowWindow(Item(IDC_PASSWORD_LENGTH), show);
    ::ShowWindow(Item(IDC_PASSWORD_LENGTH_LABEL), show);
}

void PasswordBox::OnGenerate() {
    // The hidden field still counts for the random kind.
    const LengthCheck length = CheckPasswordLength(ItemText(IDC_PASSWORD_LENGTH));
    if (length.result != LengthCheck::Result::Ok) {
        ShowMessage({.owner = Hwnd(),
                     .text = length.result == LengthCheck::Result::TooShort ? kTooShort : "Maximum 99 characters.",
                     .caption = "",
                     .icon = MB_ICONEXCLAMATION});
        return;
    }
    RandomSource* source = source_;
    if (!source) {
        if (!secure_) secure_ = std::make_unique<SecureRandom>();
        source = secure_.get();
    }
    std::optional<std::string> password = MakePassword(SelectedKind(), length.length, *source);
    if (!password) {
        ShowMessage({.owner = Hwnd(), .text = "Error !\r\nNo secure random source is available.",
                     .icon = MB_ICONEXCLAMATION});
        return;
    }
    SetItemText(IDC_PASSWORD_RESULT, *password);
    WipeText(*password);
}

void PasswordBox::OnHelp() {
    ::ShowWindow(Hwnd(), SW_HIDE);
    ShowMessage({.owner = ::GetWindow(Hwnd(), GW_OWNER), .text = kHelpText, .caption = "Help",
                 .icon = MB_ICONINFORMATION});
    ::ShowWindow(Hwnd(), SW_SHOW);
}

}  // namespace ovix
