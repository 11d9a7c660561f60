// Handlers of the LISP functions, one per function (kel_move and kel_rename share one).
// Each takes the argument chain (null without arguments), sets one result and returns RTNORM.
#pragma once

#include "adsdef.h"

// The module itself.
int kelAbout(struct resbuf* args);
int kelDemandload(struct resbuf* args);
int kelHelp(struct resbuf* args);
int kelVersion(struct resbuf* args);

// Paths, directories, file listing and file operations.
int kelAttrib(struct resbuf* args);
int kelChdir(struct resbuf* args);
int kelCopy(struct resbuf* args);
int kelDelete(struct resbuf* args);
int kelDeltree(struct resbuf* args);
int kelDir(struct resbuf* args);
int kelDirp(struct resbuf* args);
int kelFile(struct resbuf* args);
int kelFiledate(struct resbuf* args);
int kelFilep(struct resbuf* args);
int kelFilesize(struct resbuf* args);
int kelFind(struct resbuf* args);
int kelFullpath(struct resbuf* args);
int kelMakepath(struct resbuf* args);
int kelMkdir(struct resbuf* args);
int kelMove(struct resbuf* args);  // kel_move and kel_rename
int kelOpenp(struct resbuf* args);
int kelPath(struct resbuf* args);
int kelPwdir(struct resbuf* args);
int kelRecent(struct resbuf* args);
int kelRendir(struct resbuf* args);
int kelRmdir(struct resbuf* args);
int kelSearch(struct resbuf* args);
int kelSplitpath(struct resbuf* args);
int kelSubdir(struct resbuf* args);
int kelSysdir(struct resbuf* args);
int kelTempdir(struct resbuf* args);
int kelTouch(struct resbuf* args);
int kelWindir(struct resbuf* args);

// Drives, line ends, the cipher and the drawing version.
int kelChkdsk(struct resbuf* args);
int kelDos2unix(struct resbuf* args);
int kelDrive(struct resbuf* args);
int kelDrivep(struct resbuf* args);
int kelDrives(struct resbuf* args);
int kelDrivetype(struct resbuf* args);
int kelDwgver(struct resbuf* args);
int kelEncrypt(struct resbuf* args);
int kelFilesys(struct resbuf* args);
int kelFormat(struct resbuf* args);
int kelLabel(struct resbuf* args);
int kelSerialno(struct resbuf* args);
int kelUnix2dos(struct resbuf* args);

// INI files and the registry branch.
int kelGetini(struct resbuf* args);
int kelRegdel(struct resbuf* args);
int kelRegget(struct resbuf* args);
int kelRegset(struct resbuf* args);
int kelSetini(struct resbuf* args);

// The network.
int kelHostname(struct resbuf* args);
int kelIpaddress(struct resbuf* args);
int kelMacaddress(struct resbuf* args);
int kelPing(struct resbuf* args);

// Dialogs.
int kelChecklist(struct resbuf* args);
int kelCombolist(struct resbuf* args);
int kelGetcolor(struct resbuf* args);
int kelGetdir(struct resbuf* args);
int kelGetfilem(struct resbuf* args);
int kelEditlist(struct resbuf* args);
int kelGetint(struct resbuf* args);
int kelGetpassword(struct resbuf* args);
int kelGetreal(struct resbuf* args);
int kelGetstring(struct resbuf* args);
int kelListbox(struct resbuf* args);
int kelDwgpreview(struct resbuf* args);
int kelMsgbox(struct resbuf* args);
int kelMultilist(struct resbuf* args);
int kelProplist(struct resbuf* args);

// Progress, cancel and splash windows, the wait cursor.
int kelGetcancel(struct resbuf* args);
int kelGetprogress(struct resbuf* args);
int kelProgbar(struct resbuf* args);
int kelSplash(struct resbuf* args);
int kelWaitcursor(struct resbuf* args);

// Printers.
int kelGetprn(struct resbuf* args);
int kelOrient(struct resbuf* args);
int kelPrinters(struct resbuf* args);
int kelSetprn(struct resbuf* args);
int kelSpool(struct resbuf* args);

// Programs and processes.
int kelCommand(struct resbuf* args);
int kelExecute(struct resbuf* args);
int kelExewait(struct resbuf* args);
int kelProcesses(struct resbuf* args);
int kelShellexe(struct resbuf* args);

// Keyboard, sound, clipboard and help.
int kelBeep(struct resbuf* args);
int kelCapslock(struct resbuf* args);
int kelClipboard(struct resbuf* args);
int kelNumlock(struct resbuf* args);
int kelPause(struct resbuf* args);
int kelScrolllock(struct resbuf* args);
int kelSpeaker(struct resbuf* args);
int kelWav(struct resbuf* args);
int kelWinhelp(struct resbuf* args);

// System facts.
int kelAdminp(struct resbuf* args);
int kelComputer(struct resbuf* args);
int kelDate(struct resbuf* args);
int kelMem(struct resbuf* args);
int kelRandom(struct resbuf* args);
int kelTime(struct resbuf* args);
int kelUsername(struct resbuf* args);
int kelVer(struct resbuf* args);

// Open drawings, colours and sorting.
int kelAcitorgb(struct resbuf* args);
int kelCloseall(struct resbuf* args);
int kelRgbtoaci(struct resbuf* args);
int kelSaveall(struct resbuf* args);
int kelShow(struct resbuf* args);
int kelSortlist(struct resbuf* args);

