// Builders for list results. Each owns what it built until it hands the list to the host,
// and releases it after, or when dropped.
#pragma once

#include "adsdef.h"

// A flat list of strings: file names, drive names, function names.
class StringList {
public:
    StringList() = default;
    StringList(const StringList&) = delete;
    StringList& operator=(const StringList&) = delete;
    ~StringList();
    // False when the record could not be made; what was built stays until dropped.
    bool add(const char* text);
    // Sets the result: the list, or nil when it is empty.
    void returnList();

private:
    struct resbuf* head_ = nullptr;
    struct resbuf* tail_ = nullptr;
};

// A list hung under a throw-away head record, for helpers that append as they recurse.
class HeadedList {
public:
    HeadedList();  // check ok() before use
    HeadedList(const HeadedList&) = delete;
    HeadedList& operator=(const HeadedList&) = delete;
    ~HeadedList();
    bool ok() const { return head_ != nullptr; }
    bool add(const char* text);
    void returnList();

private:
    struct resbuf* head_;
    struct resbuf* tail_;
};

// A list of dotted pairs, each a name and a number.
class PairList {
public:
    PairList();  // check ok() before use
    PairList(const PairList&) = delete;
    PairList& operator=(const PairList&) = delete;
    ~PairList();
    bool ok() const { return head_ != nullptr; }
    bool add(const char* name, short value);
    bool add(const char* name, double value);
    // Closes the list and sets the result: the pairs, or nil when none was added.
    bool returnList();

private:
    bool link(struct resbuf* item);
    struct resbuf* head_;
    struct resbuf* tail_;
    bool empty_ = true;
};

// Hands a list to the host and releases it; nil for an empty one.
void returnAndRelease(struct resbuf* list);
