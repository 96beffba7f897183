#pragma once
// "Edit Classpath" (dialog 117): the modal editor of one class-path entry.

#include <windows.h>

#include <string>

class EntryEditor {
public:
    explicit EntryEditor(std::string text) : text_(std::move(text)) {}

    // Shows the editor over `owner`; true when closed with OK, and then
    // text() is the edited entry.
    bool run(HWND owner);
    const std::string& text() const { return text_; }

    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    BOOL onInitDialog(HWND dialog);
    bool onCommand(HWND dialog, int id);

    std::string text_;
};
