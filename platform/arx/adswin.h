// Host operations that hand out windows.
#pragma once

#include <windows.h>
#include "arxport.h"

extern "C" {
ACAD_PORT HWND adsw_acadMainWnd(void);   // owner of message boxes and system dialogs
ACAD_PORT HWND acedGetAcadFrame(void);   // parent of modeless windows
// Paints the preview stored in a drawing file into a window; false when there is none.
ACAD_PORT bool acdbDisplayPreviewFromDwg(const char* fileName, HWND window, const unsigned long* bgColor);
// Readies the host's dialog library; once per module, at attach.
ACAD_PORT void InitAcUiDLL(void);
}
