// The host's document manager: open documents, their iteration, reactors, resource handles
// for dialog templates and queued command strings.
#pragma once

#include "arxport.h"

class AcApDocument {
public:
    virtual ~AcApDocument() {}
    virtual const char* fileName() const = 0;
};

// Deleted by the caller.
class AcApDocumentIterator {
public:
    virtual ~AcApDocumentIterator() {}
    virtual bool done() = 0;
    virtual void step() = 0;
    virtual AcApDocument* document() = 0;
};

class AcApDocManagerReactor {
public:
    virtual ~AcApDocManagerReactor() {}
    virtual void documentCreated(AcApDocument*) {}
    virtual void documentToBeDestroyed(AcApDocument*) {}
};

class AcApDocManager {
public:
    virtual ~AcApDocManager() {}
    virtual void addReactor(AcApDocManagerReactor* reactor) = 0;
    virtual void removeReactor(AcApDocManagerReactor* reactor) = 0;
    virtual AcApDocument* curDocument() const = 0;
    virtual int documentCount() const = 0;
    virtual AcApDocumentIterator* newAcApDocumentIterator() = 0;
    // Queues a string to run in the document after the current expression; 0 (eOk) when queued.
    virtual int sendStringToExecute(AcApDocument* doc, const char* text, bool activate = true,
                                    bool wrapUpInactiveDoc = false, bool echoString = true) = 0;
    // The module whose resources dialog templates load from, until the matching pop.
    virtual bool pushResourceHandle(void* instance) = 0;
    virtual bool popResourceHandle() = 0;
    // The instance dialog templates load from now: the last pushed, else the host's own.
    virtual void* curResourceHandle() const = 0;
};

extern "C" ACAD_PORT AcApDocManager* acDocManagerPtr(void);
