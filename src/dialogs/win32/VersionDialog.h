#pragma once

#include "DialogWindow.h"

// The version dialog "バージョン情報": the product's name and version and the credits,
// each with a web address that opens in the browser when clicked.
class VersionDialog : public DialogWindow {
public:
    VersionDialog();
    ~VersionDialog() override;

private:
    void CreateControls() override;
    void Command(int id, int code) override;
    bool Message(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    bool IsLink(HWND control) const;

    HFONT titleFont_ = nullptr;
    HFONT linkFont_ = nullptr;
    HICON icon_ = nullptr;
};
