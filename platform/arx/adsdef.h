// Records and codes shared by the host and its modules. No system headers: pure code
// that handles records builds natively too.
#pragma once

#include <stdint.h>

typedef double ads_real;
typedef ads_real ads_point[3];

// Result and argument type codes.
enum {
    RTNONE    = 5000,
    RTREAL    = 5001,
    RTPOINT   = 5002,  // 2D point: rpoint[0], rpoint[1]
    RTSHORT   = 5003,
    RTSTR     = 5005,
    RT3DPOINT = 5009,
    RTLONG    = 5010,
    RTVOID    = 5014,
    RTLB      = 5016,  // list begin
    RTLE      = 5017,  // list end
    RTDOTE    = 5018,  // dot of a dotted pair
    RTNIL     = 5019,
    RTT       = 5021
};

// Status codes.
enum {
    RTNORM  = 5100,
    RTERROR = -5001
};

// What the dispatcher hands back to the host for one call.
enum {
    RSRSLT = 1,  // a result is ready
    RSERR  = 3   // the call failed
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    int32_t rlong;
    char* rstring;  // owned by the record
};

struct resbuf {
    struct resbuf* rbnext;
    short restype;
    union ads_u_val resval;
};
