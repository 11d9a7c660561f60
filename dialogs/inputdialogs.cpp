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
#include "results.h"
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

// Title and prompt into the dialog; the initial value, if any, follows.
bool readTitleAndPrompt(Args& in, CInputDialog& dialog)
{
    return in.string(dialog.title) && in.string(dialog.prompt);
}

int giveValue(const std::string& value)
{
    return giveString(value.c_str());
}
int giveValue(short value)
{
    return giveInt(value);
}
int giveValue(double value)
{
    return giveReal(value);
}

// The value on OK; nil when the dialog ended any other way.
template <typename T>
int giveAnswer(const CValueDialog<T>& dialog, INT_PTR answer)
{
    if (answer != IDOK)
        return giveNil();
    return giveValue(dialog.value);
}

int askText(struct resbuf* args, UINT templateId)
{
    CValueDialog<std::string> dialog(templateId, std::string());
    ModuleResources resources;
    Args in(args);
    if (!readTitleAndPrompt(in, dialog))
        return stopped();
    if (in.more()) {
        char text[256];
        if (!in.string(text) || !in.end())
            return stopped();
        dialog.value = text;
    }
    return giveAnswer(dialog, dialog.DoModal());
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
    Args in(args);
    if (!readTitleAndPrompt(in, dialog))
        return stopped();
    if (in.more()) {
        double real;
        int number;
        if (in.at(RTREAL) && in.real(real))
            dialog.value = lowSixteenBits(real);
        else if (in.integer(number))
            dialog.value = static_cast<short>(number);
        else
            return stopped();
        if (!in.end())
            return stopped();
    }
    return giveAnswer(dialog, dialog.DoModal());
}

int kelGetreal(struct resbuf* args)
{
    CValueDialog<double> dialog(IDD_GETREAL, 0.0);
    ModuleResources resources;
    Args in(args);
    if (!readTitleAndPrompt(in, dialog))
        return stopped();
    if (in.more()) {
        int number;
        if (in.at(RTSHORT) && in.integer(number))
            dialog.value = number;
        else if (!in.real(dialog.value))
            return stopped();
        if (!in.end())
            return stopped();
    }
    return giveAnswer(dialog, dialog.DoModal());
}
