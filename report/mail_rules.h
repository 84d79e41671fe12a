// The e-mail report's rules apart from the system: which file names may be
// written and attached, which recipients count, and the message as it is
// handed to the mail client.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ovix {

inline constexpr char kRecipientPlaceholder[] = "someone@example.invalid";
inline constexpr char kSecondRecipientDefault[] = "Leave blank if no needed...";
inline constexpr char kReportNameDefault[] = "Ovix_report";

// A plain file name that the report can be written under, ".txt" appended,
// in a folder whose path has folderLength characters: no path separator,
// drive, wildcard, quote, pipe or control character; no trailing dot or
// blank; not a device ("nul", "Com1.log"...); the whole path within the
// system's limit of 259 characters.
bool IsPlainReportName(std::string_view name, size_t folderLength);

// The recipient as it counts: the text trimmed of blanks, or empty when it is
// blank or still shows the field's default.
std::string EffectiveRecipient(std::string_view text, std::string_view fieldDefault);

// The message as it is handed over: the note is the body with one blank for
// the attachment, placed at the body's length.
struct MailRecord {
    std::string subject;
    std::string note;
    std::vector<std::string> recipients;  // each as a display name, resolved by the mail client
    std::string attachment;
    size_t attachmentPosition = 0;
};
MailRecord BuildMailRecord(const std::string& subject, const std::string& body, const std::string& recipient1,
                           const std::string& recipient2, const std::string& attachment);

}  // namespace ovix
