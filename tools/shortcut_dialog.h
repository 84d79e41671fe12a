// "Shortcut Maker": a link to a file of the user's choosing on the Start
// menu, the desktop, the Programs menu or in My Documents, or the file added
// to the recent documents. A fresh dialog per opening.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "widgets/group_box.h"
#include "widgets/icon_button.h"

#include <string>

namespace ovix {

inline constexpr char kTargetHint[] = "Add here the target's path to your object...use \"browse\" button...";
inline constexpr char kNameHint[] = "Add here your shortcut's name.";
inline constexpr char kDescriptionHint[] = "Add here a quick description for your shortcut.";
inline constexpr char kShortcutFailed[] = "An error has occurred, impossible to create the shortcut.";

// The locations in the list's order.
enum class ShortcutLocation { StartMenu, Desktop, Programs, Documents, RecentDocuments };

class CShortcutCreator : public fw::MappedDialog<CShortcutCreator> {
public:
    CShortcutCreator();
    ~CShortcutCreator() override;
    static const Map& MessageMap();

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    void OnBrowse();
    void OnCreate();
    void OnLocationChanged();
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    int SelectedLocation() const;

    widgets::GroupBox group_;
    widgets::IconButton browseButton_, createButton_, closeButton_;
    fw::FontHandle instructionFont_;
    fw::BrushHandle background_;
    fw::ImageListHandle locationIcons_;
};

}  // namespace ovix
