// "Active windows", "Supported display modes" and "Shell Folders": the running
// desktop's top-level windows, the primary display's modes and twenty
// well-known folders with their statistics on demand.
#pragma once

#include "app/launch_commands.h"
#include "lists/simple_list.h"
#include "lists/system_list_text.h"

namespace ovix {

class WaitWindow;

// A folder with everything below it (links and junctions never entered),
// its statuses shown in the wait window.
FolderStatistics ReadFolderStatistics(const std::string& folder, WaitWindow& wait);

class CEnumDesktopWindows : public SimpleList {
public:
    CEnumDesktopWindows();

protected:
    void Fill() override;
    void Refresh() override { Fill(); }
    bool HasRefresh() const override { return true; }
    bool OnAction(UINT id) override;
};

class CDisplayModes : public fw::MappedDialog<CDisplayModes, SimpleList> {
public:
    CDisplayModes();
    static const Map& MessageMap();
    const std::vector<std::string>& Modes() const { return modes_; }

protected:
    void Fill() override;

private:
    LRESULT OnLabelColour(WPARAM wParam, LPARAM lParam);

    std::vector<std::string> modes_;  // read when the object is made
    std::string current_;
    fw::FontHandle labelFont_;
    fw::BrushHandle labelBrush_;
};

class CShellfolder : public SimpleList {
public:
    explicit CShellfolder(FolderLocator* folders = nullptr);

protected:
    void Fill() override;
    bool OnAction(UINT id) override;

private:
    void ShowStatistics();

    FolderLocator* folders_;
    FolderLocator systemFolders_;
};

}  // namespace ovix
