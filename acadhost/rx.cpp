// The system registry: the dynamic linker, the command stack and the class dictionary.
#include <map>
#include <string>

#include "host.h"

namespace {

class NamedClass : public AcRxClass {
public:
    explicit NamedClass(const char* name) : name_(name) {}
    AcRxClass* isA() const override;
    const char* name() const override { return name_; }

private:
    const char* name_;
};

NamedClass classClass("AcRxClass");
NamedClass dictionaryClass("AcRxDictionary");
NamedClass linkerClass("AcRxDynamicLinker");
NamedClass commandStackClass("AcEdCommandStack");
NamedClass docReactorClass("AcApDocManagerReactor");

AcRxClass* NamedClass::isA() const { return &classClass; }

class Dictionary : public AcRxDictionary {
public:
    AcRxClass* isA() const override { return &dictionaryClass; }
    AcRxObject* at(const char* key) const override
    {
        auto it = entries.find(key ? key : "");
        return it == entries.end() ? nullptr : it->second;
    }
    std::map<std::string, AcRxObject*> entries;
};

class DynamicLinker : public AcRxDynamicLinker {
public:
    AcRxClass* isA() const override { return &linkerClass; }
    bool unlockApplication(void*) override { return theHost->unlocked = true; }
    bool registerAppMDIAware(void*) override { return theHost->mdiAware = true; }
};

class CommandStack : public AcEdCommandStack {
public:
    AcRxClass* isA() const override { return &commandStackClass; }
    int addCommand(const char* groupName, const char* globalName, const char*, int, AcRxFunctionPtr function,
                   AcEdUIContext*, int, void*, AcEdCommand**) override
    {
        if (!groupName || !globalName || !function)
            return 1;
        std::string name = lisp::toUpper(globalName);
        if (theHost->commands.count(name))
            return 1;  // duplicate
        theHost->commands[name] = Command{lisp::toUpper(groupName), function};
        return 0;
    }
    int removeGroup(const char* groupName) override
    {
        std::string group = lisp::toUpper(groupName ? groupName : "");
        int removed = 0;
        for (auto it = theHost->commands.begin(); it != theHost->commands.end();) {
            if (it->second.group == group) {
                it = theHost->commands.erase(it);
                ++removed;
            } else {
                ++it;
            }
        }
        return removed ? 0 : 1;
    }
};

Dictionary& systemRegistry()
{
    static Dictionary classes;
    static DynamicLinker linker;
    static CommandStack commandStack;
    static Dictionary registry;
    if (registry.entries.empty()) {
        for (NamedClass* c : {&classClass, &dictionaryClass, &linkerClass, &commandStackClass, &docReactorClass})
            classes.entries[c->name()] = c;
        registry.entries[ACRX_CLASS_DICTIONARY] = &classes;
        registry.entries[ACRX_DYNAMIC_LINKER] = &linker;
        registry.entries[ACRX_COMMAND_DOCK] = &commandStack;
    }
    return registry;
}

}  // namespace

extern "C" AcRxDictionary* acrxSysRegistry(void) { return &systemRegistry(); }
