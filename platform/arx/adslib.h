// Host operations on functions, arguments, results, printing, system variables and the
// colour palette. No window types: code that uses only these builds natively too.
#pragma once

#include "adsdef.h"
#include "arxport.h"

extern "C" {

// Functions of the current document.
ACAD_PORT int acedDefun(const char* name, short funcode);
ACAD_PORT int acedUndef(const char* name, short funcode);
ACAD_PORT int acedGetFunCode(void);
ACAD_PORT struct resbuf* acedGetArgs(void);  // owned by the caller

// The current call's result; the host copies strings and lists.
ACAD_PORT int acedRetNil(void);
ACAD_PORT int acedRetT(void);
ACAD_PORT int acedRetVoid(void);
ACAD_PORT int acedRetStr(const char* s);
ACAD_PORT int acedRetInt(int value);
ACAD_PORT int acedRetReal(ads_real value);
ACAD_PORT int acedRetList(const struct resbuf* chain);
// The dispatcher's verdict on the current call: RSRSLT or RSERR.
ACAD_PORT void acedSetFunResult(int rs);

// Records. acutBuildList takes (type, value) pairs closed by 0; RTLB, RTLE, RTDOTE, RTNIL,
// RTT and RTVOID take no value; RTPOINT and RT3DPOINT take a pointer to ads_real[3].
ACAD_PORT struct resbuf* acutBuildList(int rtype, ...);
ACAD_PORT struct resbuf* acutNewRb(int rtype);
ACAD_PORT int acutRelRb(struct resbuf* chain);
ACAD_PORT int acutPrintf(const char* format, ...);

// System variables.
ACAD_PORT int acedGetVar(const char* name, struct resbuf* result);
ACAD_PORT int acedSetVar(const char* name, const struct resbuf* value);

// Packed colour 0x00BBGGRR of a colour index 0 to 255.
ACAD_PORT unsigned long acedGetRGB(int colorIndex);

// Status-bar progress meter.
ACAD_PORT int acedSetStatusBarProgressMeter(const char* label, int minPos, int maxPos);
ACAD_PORT int acedSetStatusBarProgressMeterPos(int pos);
ACAD_PORT void acedRestoreStatusBar(void);

// Full path of the module file being served, as loaded.
ACAD_PORT const char* acedGetAppName(void);

}  // extern "C"
