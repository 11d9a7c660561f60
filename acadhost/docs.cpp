// The document manager.
#include <algorithm>

#include "host.h"

namespace {

class Iterator : public AcApDocumentIterator {
public:
    explicit Iterator(std::vector<Document*> docs) : docs_(std::move(docs)) {}
    bool done() override { return at_ >= docs_.size(); }
    void step() override { ++at_; }
    AcApDocument* document() override { return done() ? nullptr : docs_[at_]; }

private:
    std::vector<Document*> docs_;
    size_t at_ = 0;
};

}  // namespace

bool Document::undefine(const std::string& name, short code)
{
    auto it = functions_.find(name);
    if (it == functions_.end() || it->second.code != code)
        return false;
    if (lastFound_ == &*it)
        lastFound_ = nullptr;
    functions_.erase(it);
    return true;
}

void DocManager::addReactor(AcApDocManagerReactor* reactor)
{
    if (reactor && std::find(reactors_.begin(), reactors_.end(), reactor) == reactors_.end())
        reactors_.push_back(reactor);
}

void DocManager::removeReactor(AcApDocManagerReactor* reactor)
{
    reactors_.erase(std::remove(reactors_.begin(), reactors_.end(), reactor), reactors_.end());
}

AcApDocumentIterator* DocManager::newAcApDocumentIterator()
{
    std::vector<Document*> list;
    for (auto& d : docs_)
        list.push_back(d.get());
    return new Iterator(list);
}

Document* DocManager::find(AcApDocument* doc) const
{
    for (auto& d : docs_)
        if (d.get() == doc)
            return d.get();
    return nullptr;
}

int DocManager::sendStringToExecute(AcApDocument* doc, const char* text, bool, bool, bool)
{
    Document* d = find(doc);
    if (!d || !text)
        return 1;
    d->queue.push_back(text);
    return 0;
}

bool DocManager::pushResourceHandle(void* instance)
{
    resources_.push_back(instance);
    return true;
}

bool DocManager::popResourceHandle()
{
    if (resources_.empty())
        return false;
    resources_.pop_back();
    return true;
}

void* DocManager::curResourceHandle() const
{
    return resources_.empty() ? static_cast<void*>(GetModuleHandleA(nullptr)) : resources_.back();
}

Document* DocManager::open(const std::string& name)
{
    docs_.push_back(std::make_unique<Document>(name));
    Document* doc = docs_.back().get();
    for (AcApDocManagerReactor* r : std::vector<AcApDocManagerReactor*>(reactors_))
        r->documentCreated(doc);
    return doc;
}

void DocManager::close(Document* doc)
{
    for (AcApDocManagerReactor* r : std::vector<AcApDocManagerReactor*>(reactors_))
        r->documentToBeDestroyed(doc);
    auto it = std::find_if(docs_.begin(), docs_.end(), [doc](const std::unique_ptr<Document>& d) { return d.get() == doc; });
    if (it == docs_.end())
        return;
    docs_.erase(it);
    if (current_ == doc)
        current_ = docs_.empty() ? nullptr : docs_.front().get();
}
