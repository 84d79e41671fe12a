// "Password Generator": one password of a chosen kind and length at a time,
// drawn from the system's secure random source, shown read-only for copying.
// Nothing is kept: the working copy is wiped after each generation.
#pragma once

#include "framework/dialog.h"
#include "framework/handles.h"
#include "tools/password_rules.h"
#include "widgets/group_box.h"
#include "widgets/icon_button.h"

#include <memory>

namespace ovix {

// CryptGenRandom with a verify-only context (no keys); false once none can be had.
class SecureRandom : public RandomSource {
public:
    SecureRandom();
    ~SecureRandom() override;
    SecureRandom(const SecureRandom&) = delete;
    SecureRandom& operator=(const SecureRandom&) = delete;
    bool NextByte(uint8_t& byte) override;

private:
    ULONG_PTR provider_ = 0;
    uint8_t buffer_[64] = {};
    size_t used_ = sizeof(buffer_);
};

class PasswordBox : public fw::MappedDialog<PasswordBox> {
public:
    PasswordBox();
    ~PasswordBox() override;
    static const Map& MessageMap();

    // The random bytes (tests script them); null: the system's secure source.
    void SetRandomSource(RandomSource* source) { source_ = source; }
    bool PreTranslateMessage(MSG& message) override;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;

private:
    void OnGenerate();
    void OnHelp();
    void OnKindChanged();
    PasswordKind SelectedKind() const;
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);

    RandomSource* source_ = nullptr;
    std::unique_ptr<SecureRandom> secure_;
    widgets::GroupBox group_;
    widgets::IconButton generateButton_, helpButton_;
    fw::BrushHandle background_;
    HWND helpTip_ = nullptr;
};

}  // namespace ovix
