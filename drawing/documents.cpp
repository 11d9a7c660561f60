// kel_closeall, kel_saveall, kel_show: the host's open drawings and its main window.
#include <windows.h>

#include <cstdlib>

#include "acdocman.h"
#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"

namespace {

const char kClose[] = "\003\003_.close ";
const char kSave[] = "\003\003_.qsave ";

void queue(AcApDocManager* docs, AcApDocument* doc, const char* command)
{
    docs->sendStringToExecute(doc, command, false, true, true);
}

}  // namespace

int kelCloseall(struct resbuf*)
{
    // The documents are collected, and the iteration over, before the first close is queued.
    AcApDocManager* docs = acDocManagerPtr();
    AcApDocumentIterator* it = docs->newAcApDocumentIterator();
    if (!it)
        return giveNil();
    AcApDocument** list = nullptr;
    size_t count = 0, capacity = 0;
    for (; !it->done(); it->step()) {
        AcApDocument* doc = it->document();
        if (count == capacity) {
            void* grown = std::realloc(list, (capacity + 8) * sizeof *list);
            if (!grown)
                doc = nullptr;  // as a missing document: nothing is queued
            else
                list = static_cast<AcApDocument**>(grown), capacity += 8;
        }
        if (!doc) {
            delete it;
            std::free(list);
            return giveNil();
        }
        list[count++] = doc;
    }
    delete it;
    for (size_t k = 0; k < count; ++k)
        queue(docs, list[k], kClose);
    std::free(list);
    return giveNil();
}

int kelSaveall(struct resbuf*)
{
    AcApDocManager* docs = acDocManagerPtr();
    AcApDocumentIterator* it = docs->newAcApDocumentIterator();
    if (!it)
        return giveNil();
    for (; !it->done(); it->step()) {
        AcApDocument* doc = it->document();
        if (!doc)
            break;
        queue(docs, doc, kSave);
    }
    delete it;
    return giveNil();
}

int kelShow(struct resbuf* args)
{
    Args in(args);
    int mode;
    if (!in.integer(mode) || !in.end())
        return stopped();
    static const int states[] = {SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_RESTORE};
    if (mode < 0 || mode > 2)
        return fail(MSG_INVALID_ARGUMENT);
    ShowWindow(adsw_acadMainWnd(), states[mode]);
    return giveNil();
}
