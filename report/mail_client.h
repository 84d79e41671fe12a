// The system's mail client through Simple MAPI: its library, loaded at the
// first send and kept for the rest of the run, and the one call Ovix makes.
// Tests put a stand-in in its place: nothing they do reaches a mail client.
#pragma once

#include "framework/win.h"
#include "report/mail_rules.h"

#include <mapi.h>

namespace ovix {

class MailClient {
public:
    enum class Library { Ready, Missing, NoSendMail };
    virtual ~MailClient() = default;
    // MAPI32.DLL from the system folder and its MAPISendMail.
    virtual Library Load();
    // MAPISendMail with no session of its own.
    virtual ULONG Send(HWND parent, MapiMessage& message, FLAGS flags);
};

MailClient& CurrentMailClient();
// Puts a stand-in in (null: the system's again) and returns the one it
// replaced; the library is then loaded again at the next send.
MailClient* SetMailClient(MailClient* standIn);

// The library through the current client, loaded once: a library that is
// ready stays so; a failed load is tried again at the next send.
MailClient::Library LoadMailLibrary();

// Hands the record to the mail client: recipients "To" by display name (the
// client resolves them), the attachment at its place in the note, the client's
// logon box allowed. Returns the client's code (SUCCESS_SUCCESS, ...).
ULONG SendMailRecord(HWND parent, const MailRecord& record);

}  // namespace ovix
