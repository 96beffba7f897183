#pragma once
// Where the message loop sends keys that are not the frame's: the pages
// are modeless dialogs, so Tab, Shift+Tab, arrow keys in radio groups,
// Enter and Esc reach their controls only through IsDialogMessage.

#include <windows.h>

// Ctrl+C pressed while the focus is in an edit control with a selection:
// the edit copies, so the accelerator (Compile Project) must not take it.
bool isCopyInEdit(const MSG& msg);
// Ctrl+Page Down / Ctrl+Page Up: the next or previous tab of the active
// project window, as in a property sheet. True when the key was taken.
bool switchTabByKey(const MSG& msg);
// Offers the message to the visible page of the active project window;
// true when the page handled it as a dialog does.
bool offerToVisiblePage(MSG& msg);
