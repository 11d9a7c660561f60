#include "functable.h"

#include <new>

#include "adslib.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"
#include "trace.h"

const FunctionRow functionTable[] = {
    {"kel_about", kelAbout},
    {"kel_acitorgb", kelAcitorgb},
    {"kel_adminp", kelAdminp},
    {"kel_attrib", kelAttrib},
    {"kel_beep", kelBeep},
    {"kel_capslock", kelCapslock},
    {"kel_chdir", kelChdir},
    {"kel_checklist", kelChecklist},
    {"kel_chkdsk", kelChkdsk},
    {"kel_clipboard", kelClipboard},
    {"kel_closeall", kelCloseall},
    {"kel_combolist", kelCombolist},
    {"kel_command", kelCommand},
    {"kel_computer", kelComputer},
    {"kel_copy", kelCopy},
    {"kel_date", kelDate},
    {"kel_delete", kelDelete},
    {"kel_deltree", kelDeltree},
    {"kel_demandload", kelDemandload},
    {"kel_dir", kelDir},
    {"kel_dirp", kelDirp},
    {"kel_dos2unix", kelDos2unix},
    {"kel_drive", kelDrive},
    {"kel_drivep", kelDrivep},
    {"kel_drives", kelDrives},
    {"kel_drivetype", kelDrivetype},
    {"kel_dwgpreview", kelDwgpreview},
    {"kel_dwgver", kelDwgver},
    {"kel_editlist", kelEditlist},
    {"kel_encrypt", kelEncrypt},
    {"kel_execute", kelExecute},
    {"kel_exewait", kelExewait},
    {"kel_file", kelFile},
    {"kel_filedate", kelFiledate},
    {"kel_filep", kelFilep},
    {"kel_filesize", kelFilesize},
    {"kel_filesys", kelFilesys},
    {"kel_find", kelFind},
    {"kel_format", kelFormat},
    {"kel_fullpath", kelFullpath},
    {"kel_getcancel", kelGetcancel},
    {"kel_getcolor", kelGetcolor},
    {"kel_getdir", kelGetdir},
    {"kel_getfilem", kelGetfilem},
    {"kel_getini", kelGetini},
    {"kel_getint", kelGetint},
    {"kel_getpassword", kelGetpassword},
    {"kel_getprn", kelGetprn},
    {"kel_getprogress", kelGetprogress},
    {"kel_getreal", kelGetreal},
    {"kel_getstring", kelGetstring},
    {"kel_help", kelHelp},
    {"kel_hostname", kelHostname},
    {"kel_ipaddress", kelIpaddress},
    {"kel_label", kelLabel},
    {"kel_listbox", kelListbox},
    {"kel_macaddress", kelMacaddress},
    {"kel_makepath", kelMakepath},
    {"kel_mem", kelMem},
    {"kel_mkdir", kelMkdir},
    {"kel_move", kelMove},
    {"kel_msgbox", kelMsgbox},
    {"kel_multilist", kelMultilist},
    {"kel_numlock", kelNumlock},
    {"kel_openp", kelOpenp},
    {"kel_orient", kelOrient},
    {"kel_path", kelPath},
    {"kel_pause", kelPause},
    {"kel_ping", kelPing},
    {"kel_printers", kelPrinters},
    {"kel_processes", kelProcesses},
    {"kel_progbar", kelProgbar},
    {"kel_proplist", kelProplist},
    {"kel_pwdir", kelPwdir},
    {"kel_random", kelRandom},
    {"kel_recent", kelRecent},
    {"kel_regdel", kelRegdel},
    {"kel_regget", kelRegget},
    {"kel_regset", kelRegset},
    {"kel_rename", kelMove},
    {"kel_rendir", kelRendir},
    {"kel_rgbtoaci", kelRgbtoaci},
    {"kel_rmdir", kelRmdir},
    {"kel_saveall", kelSaveall},
    {"kel_scrolllock", kelScrolllock},
    {"kel_search", kelSearch},
    {"kel_serialno", kelSerialno},
    {"kel_setini", kelSetini},
    {"kel_setprn", kelSetprn},
    {"kel_shellexe", kelShellexe},
    {"kel_show", kelShow},
    {"kel_sortlist", kelSortlist},
    {"kel_speaker", kelSpeaker},
    {"kel_splash", kelSplash},
    {"kel_splitpath", kelSplitpath},
    {"kel_spool", kelSpool},
    {"kel_subdir", kelSubdir},
    {"kel_sysdir", kelSysdir},
    {"kel_tempdir", kelTempdir},
    {"kel_time", kelTime},
    {"kel_touch", kelTouch},
    {"kel_unix2dos", kelUnix2dos},
    {"kel_username", kelUsername},
    {"kel_ver", kelVer},
    {"kel_version", kelVersion},
    {"kel_waitcursor", kelWaitcursor},
    {"kel_wav", kelWav},
    {"kel_windir", kelWindir},
    {"kel_winhelp", kelWinhelp},
#ifdef KELMAR_PROBE_ROWS
    KELMAR_PROBE_ROWS  // a test build's probes, after the module's own functions
#endif
};

const size_t functionCount = sizeof functionTable / sizeof functionTable[0];

int defineFunctions()
{
    for (size_t row = 0; row < functionCount; ++row) {
        if (acedDefun(functionTable[row].name, static_cast<short>(row + 1)) != RTNORM) {
            acutPrintf(MSG_CANNOT_DEFINE_FUNCTIONS);
            return RTERROR;
        }
    }
    return RTNORM;
}

void undefineFunctions()
{
    for (size_t row = 0; row < functionCount; ++row)
        acedUndef(functionTable[row].name, static_cast<short>(row + 1));
}

namespace {

// Nothing a handler throws unwinds into the host: running out of memory says so, anything
// else gives nil alone. Either way the function is named in a trace.
int runHandler(const FunctionRow& row, struct resbuf* args)
{
    try {
        return row.handler(args);
    } catch (const std::bad_alloc&) {
        traceException(row.name);
        acutPrintf(MSG_OUT_OF_MEMORY);
    } catch (...) {
        traceException(row.name);
    }
    return giveNil();
}

}  // namespace

void dispatch()
{
    acedRetVoid();  // a handler that sets no result yields nothing
    int code = acedGetFunCode();
    if (code < 1 || code > static_cast<int>(functionCount)) {
        acutPrintf(MSG_CANNOT_FIND_FUNCTION_CODE);
        acedRetNil();
        acedSetFunResult(RSRSLT);
        return;
    }
    struct resbuf* args = acedGetArgs();
    int status = runHandler(functionTable[code - 1], args);
    if (args)
        acutRelRb(args);
    acedSetFunResult(status == RTNORM ? RSRSLT : RSERR);
}
