// kel_getcolor: the system's colour chooser, opened fully, captioned by the caller and
// starting on a colour index's colour or on a red, green and blue value.
#include <windows.h>

#include "adslib.h"
#include "afxdlgs.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "moduleresources.h"
#include "results.h"

namespace {

class CMyColorDialog : public CColorDialog {
public:
    CMyColorDialog() : CColorDialog(0, 0, nullptr) {}
    ~CMyColorDialog() override = default;
    char title[256] = "";

protected:
    BOOL OnInitDialog() override
    {
        CColorDialog::OnInitDialog();
        SetWindowText(title);
        return TRUE;
    }
};

// The starting colour from the argument after the title: black without one, the host's
// colour for an index (what follows an index is not looked at), or a checked point.
bool readInitialColor(Args& in, COLORREF& color)
{
    color = 0;
    if (!in.more())
        return true;
    int index;
    if (in.at(RTSHORT) && in.integer(index)) {
        color = acedGetRGB(index);
        return true;
    }
    int r, g, b;
    if (!in.rgb(r, g, b) || !in.end())
        return false;
    color = RGB(r, g, b);
    return true;
}

}  // namespace

int kelGetcolor(struct resbuf* args)
{
    ModuleResources resources;
    CMyColorDialog dialog;
    COLORREF initial;
    Args in(args);
    if (!in.string(dialog.title) || !readInitialColor(in, initial))
        return stopped();
    dialog.m_cc.rgbResult = initial;
    dialog.m_cc.Flags |= CC_RGBINIT | CC_FULLOPEN;
    if (dialog.DoModal() != IDOK)
        return giveNil();
    COLORREF c = dialog.GetColor();
    resbuf* list = acutBuildList(RTSHORT, GetRValue(c), RTSHORT, GetGValue(c), RTSHORT, GetBValue(c), 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}
