#include "tooltipctrl.h"

namespace {
TOOLINFOA toolInfo(CWnd* window, UINT id, const RECT& rect)
{
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = window->m_hWnd;
    info.uId = id;
    info.rect = rect;
    info.lpszText = LPSTR_TEXTCALLBACKA;
    return info;
}
}  // namespace

bool CToolTipCtrl::Create(CWnd* owner)
{
    InitCommonControls();
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, owner->m_hWnd, nullptr, nullptr, nullptr);
    if (!tip)
        return false;
    Attach(tip);
    return true;
}

bool CToolTipCtrl::AddTool(CWnd* window, UINT id, const RECT& rect)
{
    TOOLINFOA info = toolInfo(window, id, rect);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void CToolTipCtrl::SetToolRect(CWnd* window, UINT id, const RECT& rect)
{
    TOOLINFOA info = toolInfo(window, id, rect);
    SendMessage(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
}
