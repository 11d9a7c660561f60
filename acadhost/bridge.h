// LISP values to argument records and result records back to values, as the host's LISP
// does: a list of two or three numbers travels as one point record.
#pragma once

#include <string>

#include "adsdef.h"
#include "lisp.h"
#include "records.h"

// The argument chain of a call; null for no arguments.
resbuf* argumentChain(RecordPool& pool, const lisp::Args& args);

// One value from one result record (not RTLB, RTLE or RTDOTE).
lisp::Value recordValue(const resbuf* rb);

// The list a result chain stands for. A chain that is one RTLB ... RTLE group is that list
// itself. False with the reason when the chain is malformed.
bool chainValue(const resbuf* chain, lisp::Value& out, std::string& problem);
