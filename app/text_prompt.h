// A question with a text field: the question icon, the question, the field
// holding the current text, OK and Cancel.
#pragma once

#include "framework/dialog.h"

#include <optional>
#include <string>

namespace ovix {

class TextPromptDialog : public fw::MappedDialog<TextPromptDialog> {
public:
    TextPromptDialog(std::string question, std::string text);
    static const Map& MessageMap();
    // The text as the dialog ended with OK.
    const std::string& Text() const { return text_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

private:
    std::string question_;
    std::string text_;
};

// Runs the prompt: the text entered on OK, nothing on Cancel.
std::optional<std::string> PromptForText(HWND owner, const std::string& question, const std::string& text);

}  // namespace ovix
