// "Installed Softwares" (all programs, or without the hotfix-like entries)
// and "Windows XP Hotfix".
#pragma once

#include "lists/inventory.h"
#include "lists/list_viewer.h"
#include "widgets/icon_button.h"

namespace ovix {

class CSoftware : public fw::MappedDialog<CSoftware, ListViewerDialog> {
public:
    CSoftware();
    static const Map& MessageMap();
    const ListPane& List() const { return list_; }
    // The right-click menu as it stands (greyed without a selection).
    fw::MenuHandle ContextMenu() const;
    bool HidingHotfixes() const { return hideHotfixes_; }

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void Refresh() override;
    bool HasRefresh() const override { return true; }
    void ShowListMenu(HWND control, POINT at) override;

private:
    void Fill();
    void OnToggle();
    void OnSearch() { list_.SearchSelected(); }
    void OnCheckUpdates();
    void OnUninstall();
    void OnCopyLine() { list_.CopySelected(); }
    void OnCopyAll() { list_.CopyAll(); }

    ListPane list_;
    widgets::IconButton toggle_;
    std::vector<SoftwareEntry> entries_;
    bool hideHotfixes_ = false;
};

class CHotfix : public fw::MappedDialog<CHotfix, ListViewerDialog> {
public:
    CHotfix();
    static const Map& MessageMap();
    const ListPane& List() const { return list_; }
    // The right-click menu as it stands (greyed without a selection).
    fw::MenuHandle ContextMenu() const;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void ShowListMenu(HWND control, POINT at) override;

private:
    void OnSearch() { list_.SearchSelected(); }
    void OnKnowledgeBase();
    void OnCopyLine() { list_.CopySelected(); }
    void OnCopyAll() { list_.CopyAll(); }
    void OnUninstall();

    ListPane list_;
    std::vector<HotfixEntry> entries_;  // Service Pack 2's, then 3's
};

}  // namespace ovix
