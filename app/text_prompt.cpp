#include "app/text_prompt.h"

#include "resources/resource_ids.h"

namespace ovix {

TextPromptDialog::TextPromptDialog(std::string question, std::string text)
    : MappedDialog(IDD_TEXT_PROMPT), question_(std::move(question)), text_(std::move(text)) {}

const TextPromptDialog::Map& TextPromptDialog::MessageMap() {
    static const Map map{{}, {}};
    return map;
}

BOOL TextPromptDialog::OnInitDialog() {
    ::SendMessageA(Item(IDC_PROMPT_ICON), STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_QUESTION)), 0);
    SetItemText(IDC_PROMPT_QUESTION, question_);
    SetItemText(IDC_PROMPT_TEXT, text_);
    return TRUE;
}

bool TextPromptDialog::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (id == IDOK) text_ = ItemText(IDC_PROMPT_TEXT);
    return MappedDialog::OnCommand(id, notifyCode, control);
}

std::optional<std::string> PromptForText(HWND owner, const std::string& question, const std::string& text) {
    TextPromptDialog prompt(question, text);
    if (prompt.DoModal(owner) != IDOK) return std::nullopt;
    return prompt.Text();
}

}  // namespace ovix
