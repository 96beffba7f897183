#pragma once
// The frame's toolbar (New, Open, Save, Compile Project) and its tool tips.

#include <windows.h>

HWND createFrameToolbar(HWND frame, HINSTANCE instance);
// Enables or disables a toolbar button (TBSTATE_ENABLED or 0).
void setToolbarButtonEnabled(HWND toolbar, int command, bool enabled);
// NM_CUSTOMDRAW from the toolbar: its background in the button face colour.
LRESULT paintToolbarBackground(const NMHDR* header);
// TTN_NEEDTEXT: the tool tip is the string whose id is the command.
// `buffer` holds 128 characters and belongs to the frame.
bool answerToolTip(NMHDR* header, HINSTANCE instance, char* buffer, int bufferSize);
