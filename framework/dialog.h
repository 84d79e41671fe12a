// Dialog base: a window on a dialog template, run modally by our own loop (so
// every dialog can pre-translate keys) or created modeless (so tests can drive
// it with messages). Derived dialogs bind messages and commands to members in a
// static message map:
//
//   class AboutDialog : public fw::MappedDialog<AboutDialog> {
//   public:
//       AboutDialog() : MappedDialog(IDD_ABOUT) {}
//       static const Map& MessageMap() {
//           static const Map::Command commands[] = {{IDC_HOMEPAGE, &AboutDialog::OnHomepage}};
//           static const Map map{{}, commands};
//           return map;
//       }
//   private:
//       void OnHomepage();
//   };
#pragma once

#include "framework/win.h"

#include <span>
#include <string>
#include <string_view>

namespace fw {

class Dialog {
public:
    explicit Dialog(UINT templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog until End() and returns the value given to it.
    INT_PTR DoModal(HWND owner = nullptr);
    // Creates the dialog without a loop of its own (shown as the template says).
    bool CreateModeless(HWND owner = nullptr);
    // Ends the dialog: a modal loop returns the result; a modeless dialog is destroyed.
    void End(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    HWND Hwnd() const { return hwnd_; }
    UINT TemplateId() const { return templateId_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    void SetItemText(int id, std::string_view text) const;
    std::string ItemText(int id) const;

    // Offered each queued message before it is dispatched; true swallows it.
    virtual bool PreTranslateMessage(MSG& message);

    // The Ovix dialog that owns this window, or null.
    static Dialog* FromHandle(HWND window);

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Commands not bound in a message map. The default ends the dialog on OK and Cancel.
    virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);
    virtual void OnTimer(UINT_PTR /*timerId*/) {}
    // Called while the window still exists, before its children are destroyed.
    virtual void OnDestroy() {}
    // Message-map hook: true when handled, with the result to return.
    virtual bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HINSTANCE Instance() const;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

// A static table binding window messages and command ids to members of T.
template <class T>
struct MessageMap {
    struct Message {
        UINT message;
        LRESULT (T::*handler)(WPARAM, LPARAM);
    };
    struct Command {
        UINT id;
        void (T::*handler)();
    };
    std::span<const Message> messages;
    std::span<const Command> commands;
};

// Walks T's message map, then the base's. T provides `static const Map& MessageMap()`.
template <class T, class Base = Dialog>
class MappedDialog : public Base {
public:
    using Base::Base;
    using Map = fw::MessageMap<T>;

protected:
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        const Map& map = T::MessageMap();
        T* self = static_cast<T*>(this);
        for (const auto& entry : map.messages) {
            if (entry.message == message) {
                result = (self->*entry.handler)(wParam, lParam);
                return true;
            }
        }
        if (message == WM_COMMAND) {
            for (const auto& entry : map.commands) {
                if (entry.id == LOWORD(wParam)) {
                    (self->*entry.handler)();
                    result = 0;
                    return true;
                }
            }
        }
        return Base::Route(message, wParam, lParam, result);
    }
};

// A window's whole text.
std::string WindowText(HWND window);

// Dispatches every queued message, offering each to the Ovix dialog it is for.
// Returns false when WM_QUIT was seen (it is posted again).
bool PumpWaitingMessages();

}  // namespace fw
