// Builders for list results. Each owns what it built until it hands the list to the host,
// and releases it after, or when dropped.
#pragma once

#include "adsdef.h"

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
    // Sets the result: the list, or nil when it is empty.
    void returnList();
};

// A list hung under a throw-away head record, for helpers that append as they recurse.
class HeadedList : private OwnedChain {
public:
    HeadedList();  // check ok() before use
    bool ok() const { return head_ != nullptr; }
    bool add(const char* text) { return linkString(text); }
    void returnList();
};

// A list of dotted pairs, each a name and a number.
class PairList : private OwnedChain {
public:
    PairList();  // check ok() before use
    bool ok() const { return head_ != nullptr; }
    bool add(const char* name, short value);
    bool add(const char* name, double value);
    bool add(const char* name, const char* value);
    // Closes the list and sets the result: the pairs, or nil when none was added.
    bool returnList();

private:
    bool linkPair(struct resbuf* pair);
    bool empty_ = true;
};

// Hands a list to the host and releases it; nil for an empty one.
void returnAndRelease(struct resbuf* list);
