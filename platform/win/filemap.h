// A view of a file mapping, unmapped when it goes. The mapping itself is a CHandle.
#pragma once

#include <windows.h>

class CMappedView {
public:
    CMappedView() = default;
    ~CMappedView() { Unmap(); }
    CMappedView(const CMappedView&) = delete;
    CMappedView& operator=(const CMappedView&) = delete;

    // The whole mapping from its start; null when it cannot be mapped.
    void* Map(HANDLE mapping, DWORD access)
    {
        Attach(MapViewOfFile(mapping, access, 0, 0, 0));
        return view_;
    }
    void* data() const { return view_; }
    void Attach(void* view) { Unmap(); view_ = view; }
    void* Detach()
    {
        void* view = view_;
        view_ = nullptr;
        return view;
    }
    bool Unmap()
    {
        bool unmapped = !view_ || UnmapViewOfFile(view_);
        view_ = nullptr;
        return unmapped;
    }

private:
    void* view_ = nullptr;
};
