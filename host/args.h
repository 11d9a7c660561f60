// Argument readers. Each checks one record of the argument chain; on failure it prints one
// shared message, sets the result to nil and returns false, and the handler returns at once.
#pragma once

#include <cstddef>

#include "adsdef.h"

// Prints a message, sets nil, returns false: the way every argument error ends.
bool report(const char* message);
// Sets nil and returns false, printing nothing: a reader's refusal that is no error.
bool stopWithNil();

// How a handler ends, one statement each: `return fail(MSG_...);`. Each sets what the host
// reads back and returns the status to give it.
int fail(const char* message);          // prints the message; the result is nil
int failCall(const char* message);      // prints the message; the call itself fails
int failNoResult(const char* message);  // prints the message; the call yields nothing
int giveNil();
int giveT();
int giveBool(bool value);

bool getIntArg(const struct resbuf* rb, int& value);
bool getRealArg(const struct resbuf* rb, double& value);
// Copies the string into a buffer of the given size; a string that does not fit is refused
// with "invalid string length".
bool getStringArg(const struct resbuf* rb, char* buffer, size_t size);
// As getStringArg, then "/" becomes "\".
bool getPathArg(const struct resbuf* rb, char* buffer, size_t size);
// The first byte of a string, upper-cased (a drive letter); 0 for an empty string.
bool getCharArg(const struct resbuf* rb, char& letter);
bool getListBegin(const struct resbuf* rb);
// A string or nil: present tells which. Another type prints wrongType.
bool getStringOrNilArg(const struct resbuf* rb, char* buffer, size_t size, bool& present, const char* wrongType);
// True when no record is left.
bool noMoreArgs(const struct resbuf* rb);

template <size_t N>
inline bool getStringArg(const struct resbuf* rb, char (&buffer)[N])
{
    return getStringArg(rb, buffer, N);
}

template <size_t N>
inline bool getStringOrNilArg(const struct resbuf* rb, char (&buffer)[N], bool& present, const char* wrongType)
{
    return getStringOrNilArg(rb, buffer, N, present, wrongType);
}

template <size_t N>
inline bool getPathArg(const struct resbuf* rb, char (&buffer)[N])
{
    return getPathArg(rb, buffer, N);
}
