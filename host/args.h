// The argument cursor. A handler reads its arguments in order through one Args made from
// its argument chain: each read checks one record and, when it passes, moves past it. On
// failure a read prints one shared message, sets the result to nil and returns false, and
// the handler ends at once with `return stopped();`.
#pragma once

#include <cstddef>

#include "adsdef.h"

// Prints a message, sets nil, returns false: the way every argument error ends.
bool report(const char* message);
// Sets nil and returns false, printing nothing: a reader's refusal that is no error.
bool stopWithNil();

class Args {
public:
    explicit Args(const struct resbuf* args) : rb_(args) {}

    // The readers, in the order the handler takes its arguments.
    bool integer(int& value);
    bool real(double& value);
    // Copies the string into a buffer of the given size; a string that does not fit is
    // refused with "invalid string length".
    bool string(char* buffer, size_t size);
    // As string, then "/" becomes "\".
    bool path(char* buffer, size_t size);
    // The first byte of a string, upper-cased (a drive letter); 0 for an empty string.
    bool drive(char& letter);
    // A string or nil: present tells which. Another type prints wrongType.
    bool stringOrNil(char* buffer, size_t size, bool& present, const char* wrongType);
    // The opening of a list; its elements are the records that follow.
    bool listBegin();
    // An RGB colour: a 3D point of components 0 to 255 (truncated). Another type is an
    // "invalid argument"; a component out of range is named in the message.
    bool rgb(int& r, int& g, int& b);
    // True when no record is left; else "too many arguments".
    bool end();

    template <size_t N>
    bool string(char (&buffer)[N])
    {
        return string(buffer, N);
    }
    template <size_t N>
    bool path(char (&buffer)[N])
    {
        return path(buffer, N);
    }
    template <size_t N>
    bool stringOrNil(char (&buffer)[N], bool& present, const char* wrongType)
    {
        return stringOrNil(buffer, N, present, wrongType);
    }

    // For arguments that are optional or of several kinds: a look at the next record, which
    // prints and sets nothing.
    bool more() const { return rb_ != nullptr; }
    bool at(int type) const { return rb_ && rb_->restype == type; }
    // The next record's string ("" when it holds none); only where at(RTSTR).
    const char* text() const;
    // Moves past the next record when it is of the type: true; false, and nothing moves,
    // when it is not.
    bool pass(int type);
    // Moves past the next record, whatever it is, if there is one.
    void skip()
    {
        if (rb_)
            rb_ = rb_->rbnext;
    }
    // Moves past the next record and gives it, for a handler that takes its records as data
    // (kel_sortlist, once a record); false when none is left.
    bool take(const struct resbuf*& record)
    {
        record = rb_;
        skip();
        return record != nullptr;
    }

private:
    const struct resbuf* rb_;
};
