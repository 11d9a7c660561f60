// kel_getstring, kel_getpassword, kel_getint, kel_getreal: one value asked for in a small
// dialog that may be widened but not made taller.
#include <windows.h>

#include <cmath>
#include <string>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "moduleresources.h"
#include "resource.h"
#include "sizingdialog.h"

namespace {

class CInputDialog : public CSizingDialog {
public:
    explicit CInputDialog(UINT templateId) : CSizingDialog(templateId, nullptr) {}
    char title[256] = "";
    char prompt[256] = "";

protected:
    CEdit edit;
    BOOL OnInitDialog() override
    {
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, false);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDC_VALUE, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        SetWindowText(title);
        SetDlgItemTextA(m_hWnd, IDC_PROMPT, prompt);
        edit.SetFocus();
        return TRUE;
    }
};

// The dialog of one value type: text, a 16-bit integer or a double.
template <typename T>
class CValueDialog : public CInputDialog {
public:
    explicit CValueDialog(UINT templateId, T initial) : CInputDialog(templateId), value(initial) {}
    T value;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_VALUE, edit);
        DDX_Text(dx, IDC_VALUE, value);
    }
};

// The low 16 bits of the whole part, as a signed number: 12.9 gives 12, 40000.0 gives -25536.
short lowSixteenBits(double real)
{
    if (!std::isfinite(real))
        return 0;
    double low = std::fmod(std::trunc(real), 65536.0);
    if (low < 0)
        low += 65536.0;
    return static_cast<short>(static_cast<unsigned short>(low));
}

// Title and prompt into the dialog; the third argument, if any, is left in *rest.
bool readTitleAndPrompt(const resbuf* args, CInputDialog& dialog, const resbuf** rest)
{
    if (!getStringArg(args, dialog.title) || !getStringArg(args->rbnext, dialog.prompt))
        return false;
    *rest = args->rbnext->rbnext;
    return true;
}

void setResult(const std::string& value)
{
    acedRetStr(value.c_str());
}
void setResult(short value)
{
    acedRetInt(value);
}
void setResult(double value)
{
    acedRetReal(value);
}

// The value on OK; nil when the dialog ended any other way.
template <typename T>
void returnValue(const CValueDialog<T>& dialog, INT_PTR answer)
{
    if (answer == IDOK)
        setResult(dialog.value);
    else
        acedRetNil();
}

int askText(struct resbuf* args, UINT templateId)
{
    CValueDialog<std::string> dialog(templateId, std::string());
    ModuleResources resources;
    const resbuf* initial;
    if (!readTitleAndPrompt(args, dialog, &initial))
        return RTNORM;
    if (initial) {
        char text[256];
        if (!getStringArg(initial, text) || !noMoreArgs(initial->rbnext))
            return RTNORM;
        dialog.value = text;
    }
    returnValue(dialog, dialog.DoModal());
    return RTNORM;
}

}  // namespace

int kelGetstring(struct resbuf* args)
{
    return askText(args, IDD_GETSTRING);
}

int kelGetpassword(struct resbuf* args)
{
    return askText(args, IDD_GETPASSWD);
}

int kelGetint(struct resbuf* args)
{
    CValueDialog<short> dialog(IDD_GETINT, 0);
    ModuleResources resources;
    const resbuf* initial;
    if (!readTitleAndPrompt(args, dialog, &initial))
        return RTNORM;
    if (initial) {
        if (initial->restype == RTREAL) {
            dialog.value = lowSixteenBits(initial->resval.rreal);
        } else {
            int number;
            if (!getIntArg(initial, number))
                return RTNORM;
            dialog.value = static_cast<short>(number);
        }
        if (!noMoreArgs(initial->rbnext))
            return RTNORM;
    }
    returnValue(dialog, dialog.DoModal());
    return RTNORM;
}

int kelGetreal(struct resbuf* args)
{
    CValueDialog<double> dialog(IDD_GETREAL, 0.0);
    ModuleResources resources;
    const resbuf* initial;
    if (!readTitleAndPrompt(args, dialog, &initial))
        return RTNORM;
    if (initial) {
        if (initial->restype == RTSHORT) {
            dialog.value = initial->resval.rint;
        } else if (!getRealArg(initial, dialog.value)) {
            return RTNORM;
        }
        if (!noMoreArgs(initial->rbnext))
            return RTNORM;
    }
    returnValue(dialog, dialog.DoModal());
    return RTNORM;
}
