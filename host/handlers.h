// Handlers of the LISP functions, one per function (kel_move and kel_rename share one).
// Each takes the argument chain (null without arguments), sets one result and returns RTNORM.
#pragma once

#include "adsdef.h"

// The module itself.
int kelAbout(struct resbuf* args);
int kelDemandload(struct resbuf* args);
int kelHelp(struct resbuf* args);
int kelVersion(struct resbuf* args);

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

// Open drawings, colours and sorting.
int kelAcitorgb(struct resbuf* args);
int kelCloseall(struct resbuf* args);
int kelRgbtoaci(struct resbuf* args);
int kelSaveall(struct resbuf* args);
int kelShow(struct resbuf* args);
int kelSortlist(struct resbuf* args);

// Stands in for a function whose family is not built yet.
int notAvailable(struct resbuf* args);
