// "System colors": one screen element set to one named colour at a time, at
// once for every window and in the user's colour settings for the next logon.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "widgets/group_box.h"
#include "widgets/icon_button.h"

#include <functional>
#include <string>

namespace ovix {

class SystemColorsDialog : public fw::MappedDialog<SystemColorsDialog> {
public:
    SystemColorsDialog();
    ~SystemColorsDialog() override;
    static const Map& MessageMap();

    // The settings' writes (tests fail them); by default the registry's.
    using ValueWriter = std::function<bool(HKEY key, const char* name, const std::string& text)>;
    void SetValueWriter(ValueWriter writer) { writeValue_ = std::move(writer); }
    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    void OnApply();
    void OnHelp();
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    ValueWriter writeValue_;
    widgets::GroupBox group_;
    widgets::IconButton applyButton_, helpButton_;
    fw::BrushHandle background_;
    fw::ImageListHandle elementIcons_;
    HWND helpTip_ = nullptr;
};

}  // namespace ovix
