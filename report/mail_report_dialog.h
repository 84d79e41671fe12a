// "Send report by e-mail": the report written in its mail flavour to a file
// of the user's naming in a private temporary folder, handed to the system's
// mail client as an attachment, then deleted with its folder whatever came of
// the send. The inventories are read when the dialog is made.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "report/report_file.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ovix {

class MailReportDialog : public fw::MappedDialog<MailReportDialog> {
public:
    // Without sources, the machine's are gathered now.
    explicit MailReportDialog(std::unique_ptr<ReportSources> sources = nullptr);
    ~MailReportDialog() override;
    static const Map& MessageMap();

    using TextPrompt = std::function<std::optional<std::string>(HWND owner, const std::string& question,
                                                                const std::string& text)>;
    // The body's prompt (tests answer it); by default the modal text prompt.
    void SetBodyPrompt(TextPrompt prompt) { bodyPrompt_ = std::move(prompt); }
    void SetFileWrites(FileWriteCall* writes) { writes_ = writes; }
    const std::string& Body() const { return body_; }
    // The file the last send wrote (it is gone once the send is over).
    const std::string& LastAttachment() const { return attachment_; }

protected:
    BOOL OnInitDialog() override;
    // While the report is written and handed over, nothing else runs.
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    void OnDestroy() override;

private:
    void OnBody();
    void OnHelp();
    void OnSend();
    // The report written and handed over; the code of the mail client, or
    // nothing when it never got that far (the reason already shown).
    std::optional<ULONG> WriteAndSend(const std::string& subject, const std::string& name, const std::string& to1,
                                      const std::string& to2);
    void Tell(const std::string& text, UINT icon) const;

    std::unique_ptr<ReportSources> sources_;
    TextPrompt bodyPrompt_;
    FileWriteCall* writes_ = nullptr;
    std::string body_;
    std::string attachment_;
    bool running_ = false;
    fw::FontHandle statusFont_;
};

}  // namespace ovix
