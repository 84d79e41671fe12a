// Stand-ins for the seams the commands go through: a launcher that records
// what would have run, message boxes that answer as told and remember what
// they were asked, and file pickers that return a scripted choice. Installed
// for one scope, the previous ones put back after.
#pragma once

#include "app/common_dialogs.h"
#include "app/launcher.h"
#include "app/message_boxes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace test {

struct RecordingLauncher : ovix::Launcher {
    bool ShellVerb(HWND, const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int show) override {
        calls.push_back(verb + "|" + file + "|" + parameters + "|" + directory + "|" + std::to_string(show));
        return true;
    }
    bool CommandLine(const std::string& text, int show, ovix::StartWith how) override {
        calls.push_back(std::string(how == ovix::StartWith::WinExec ? "winexec|" : "process|") + text + "|" +
                        std::to_string(show));
        return true;
    }
    bool FindFiles() override {
        calls.push_back("find files");
        return true;
    }
    void TurnOffMonitor(HWND) override { calls.push_back("monitor off"); }
    std::vector<std::string> calls;
};

struct ScriptedBoxes : ovix::MessageBoxes {
    int Show(const ovix::MessageBoxRequest& request) override {
        shown.push_back(request);
        if (onShow) onShow();
        return answer;
    }
    std::string Texts() const {
        std::string texts;
        for (const auto& box : shown) texts += (texts.empty() ? "" : " / ") + box.text;
        return texts;
    }
    int answer = IDOK;
    std::vector<ovix::MessageBoxRequest> shown;
    std::function<void()> onShow;
};

struct ScriptedPickers : ovix::CommonDialogs {
    std::optional<std::string> OpenFile(const ovix::FileDialogRequest& request) override {
        asked.push_back(request.title);
        return choice;
    }
    std::optional<std::string> SaveFile(const ovix::FileDialogRequest& request) override {
        asked.push_back(request.title);
        return choice;
    }
    std::optional<std::string> BrowseForFolder(HWND, const std::string& title) override {
        asked.push_back(title);
        return choice;
    }
    std::optional<std::string> choice;
    std::vector<std::string> asked;
};

// All three installed for the scope (the pickers unless the real ones are wanted).
struct CommandFakes {
    explicit CommandFakes(bool fakePickers = true)
        : previousLauncher(ovix::SetLauncher(&launcher)),
          previousBoxes(ovix::SetMessageBoxes(&boxes)),
          previousPickers(ovix::SetCommonDialogs(fakePickers ? &pickers : nullptr)) {}
    ~CommandFakes() {
        ovix::SetLauncher(previousLauncher);
        ovix::SetMessageBoxes(previousBoxes);
        ovix::SetCommonDialogs(previousPickers);
    }
    CommandFakes(const CommandFakes&) = delete;
    CommandFakes& operator=(const CommandFakes&) = delete;

    RecordingLauncher launcher;
    ScriptedBoxes boxes;
    ScriptedPickers pickers;
    ovix::Launcher* previousLauncher;
    ovix::MessageBoxes* previousBoxes;
    ovix::CommonDialogs* previousPickers;
};

}  // namespace test
