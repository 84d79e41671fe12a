#include "report/mail_client.h"

#include "framework/library.h"
#include "framework/seam.h"

#include <vector>

namespace ovix {
namespace {

fw::SeamSlot<MailClient> g_client;
bool g_libraryReady = false;

// The system's library, kept until the program ends.
const fw::LoadedLibrary& MapiLibrary() {
    static const fw::LoadedLibrary library("MAPI32.DLL");
    return library;
}

LPMAPISENDMAIL SendMailEntry() { return MapiLibrary().Find<LPMAPISENDMAIL>("MAPISendMail"); }

}  // namespace

MailClient::Library MailClient::Load() {
    if (!MapiLibrary()) return Library::Missing;
    return SendMailEntry() ? Library::Ready : Library::NoSendMail;
}

ULONG MailClient::Send(HWND parent, MapiMessage& message, FLAGS flags) {
    const LPMAPISENDMAIL send = SendMailEntry();
    return send ? send(0, reinterpret_cast<ULONG_PTR>(parent), &message, flags, 0) : MAPI_E_FAILURE;
}

MailClient& CurrentMailClient() { return g_client.Current(); }

MailClient* SetMailClient(MailClient* standIn) {
    g_libraryReady = false;
    return g_client.Set(standIn);
}

MailClient::Library LoadMailLibrary() {
    if (g_libraryReady) return MailClient::Library::Ready;
    const MailClient::Library library = CurrentMailClient().Load();
    g_libraryReady = library == MailClient::Library::Ready;
    return library;
}

ULONG SendMailRecord(HWND parent, const MailRecord& record) {
    // MAPI takes writable texts; these copies live through the call.
    std::string subject = record.subject, note = record.note, attachment = record.attachment;
    std::vector<std::string> names(record.recipients);
    std::vector<MapiRecipDesc> recipients(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        recipients[i].ulRecipClass = MAPI_TO;
        recipients[i].lpszName = names[i].data();
    }
    MapiFileDesc file{};
    file.nPosition = static_cast<ULONG>(record.attachmentPosition);
    file.lpszPathName = attachment.data();
    MapiMessage message{};
    message.lpszSubject = subject.data();
    message.lpszNoteText = note.data();
    message.nRecipCount = static_cast<ULONG>(recipients.size());
    message.lpRecips = recipients.empty() ? nullptr : recipients.data();
    message.nFileCount = 1;
    message.lpFiles = &file;
    return CurrentMailClient().Send(parent, message, MAPI_LOGON_UI);
}

}  // namespace ovix
