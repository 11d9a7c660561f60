// How a handler ends, and builders for list results. Every handler ends in one statement
// that sets what the host reads back and returns the status to give it:
// `return giveString(text);`, `return fail(MSG_...);`, `return list.give();`.
#pragma once

#include <cstddef>

#include "adsdef.h"

int fail(const char* message);          // prints the message; the result is nil
int failCall(const char* message);      // prints the message; the call itself fails
int failNoResult(const char* message);  // prints the message; the call yields nothing
// After a reader or helper that returned false: it printed its message, if any, and set
// the result (nil).
int stopped();
int giveNothing();  // no result: the call yields nothing
int giveNil();
int giveT();
int giveBool(bool value);
int giveString(const char* text);
int giveInt(int value);
int giveReal(double value);
// Hands a list to the host and releases it; nil for an empty one.
int giveList(struct resbuf* list);
// Hands the host a list the module keeps (the host copies it); nil for an empty one.
int giveListKept(const struct resbuf* list);
// n records of the module's own (n > 0), linked in order, their types and values for the
// caller to set, for a list handed over with giveListKept. They live in memory kept from
// one list to the next, so one such list at a time. Throws std::bad_alloc when there is no
// room.
struct resbuf* keptRecords(size_t n);

// A chain the module built and still owns; released when dropped.
class OwnedChain {
public:
    OwnedChain(const OwnedChain&) = delete;
    OwnedChain& operator=(const OwnedChain&) = delete;

protected:
    explicit OwnedChain(struct resbuf* head = nullptr) : head_(head), tail_(head) {}
    ~OwnedChain();
    // Links records after the tail; false (nothing linked) for a null one.
    bool link(struct resbuf* records);
    bool linkString(const char* text);
    struct resbuf* head_;
    struct resbuf* tail_;
};

// A flat list of strings: file names, drive names, function names.
class StringList : private OwnedChain {
public:
    // False when the record could not be made; what was built stays until dropped.
    bool add(const char* text) { return linkString(text); }
    // Adds the names a profile call listed: zero-ended strings, `returned` bytes of a buffer
    // of `size`, ended by an empty one. A list that did not fit ends in a cut name: that one
    // is left out, being no name. False when a record could not be made.
    bool addProfileNames(const char* buffer, size_t returned, size_t size);
    // Gives the list, or nil when it is empty.
    int give();
};

// A flat list of strings kept in the module's memory until it is handed over, which the host
// then copies: for listings of thousands of names, where a record of the host's for each
// name, made, copied into and released, weighed as much as a tenth of the walk. One at a
// time: its memory is kept from one list to the next.
class NameList {
public:
    NameList();
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;
    // False when there is no memory for the name; what was added stays until given.
    bool add(const char* text);
    // Gives the list, or nil when it is empty; fails with "cannot allocate result buffer"
    // when there is no memory to hand it over.
    int give();

private:
    size_t count_ = 0;
};

// A list hung under a throw-away head record, for helpers that append as they recurse.
class HeadedList : private OwnedChain {
public:
    HeadedList();  // check ok() before use
    bool ok() const { return head_ != nullptr; }
    bool add(const char* text) { return linkString(text); }
    int give();
};

// A list of dotted pairs, each a name and a number.
class PairList : private OwnedChain {
public:
    PairList();  // check ok() before use
    bool ok() const { return head_ != nullptr; }
    bool add(const char* name, short value);
    bool add(const char* name, double value);
    bool add(const char* name, const char* value);
    // Closes the list and gives the pairs, or nil when none was added; fails with "cannot
    // allocate result buffer" when the list cannot be closed.
    int give();

private:
    bool linkPair(struct resbuf* pair);
    bool empty_ = true;
};
