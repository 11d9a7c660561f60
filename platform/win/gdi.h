// GDI objects and device contexts, given back when they go: a bitmap, a font, a brush, a pen
// and a palette (deleted), a window's device context (released), a memory device context
// (deleted), an object or a palette selected into a device context (the old selection put
// back), and the paint of a window (ended).
#pragma once

#include <windows.h>

#include "owned.h"

template <class T>
struct GdiObjectTraits : NullIsNone<T> {
    static bool Release(T object) { return DeleteObject(object) != FALSE; }
};

template <class T>
class CGdiObject : public COwned<GdiObjectTraits<T>> {
public:
    using COwned<GdiObjectTraits<T>>::COwned;
    bool Delete() { return this->ReleaseHeld(); }
};

using CGdiBitmap = CGdiObject<HBITMAP>;
using CGdiFont = CGdiObject<HFONT>;
using CGdiBrush = CGdiObject<HBRUSH>;
using CGdiPen = CGdiObject<HPEN>;
using CGdiPalette = CGdiObject<HPALETTE>;

// Traits of a value of several handles that holds nothing when they are all null.
template <class T>
struct ZeroIsNone {
    using Type = T;
    static T None() { return {}; }
};

// A window's device context as GetDC gives it (the screen's for a null window); the window
// is kept, since ReleaseDC asks for it.
struct WindowDC {
    HWND window;
    HDC dc;
};

struct WindowDCTraits : ZeroIsNone<WindowDC> {
    static bool Holds(const WindowDC& held) { return held.dc != nullptr; }
    static bool Release(const WindowDC& held) { return ReleaseDC(held.window, held.dc) == 1; }
};

class CClientDC : public COwned<WindowDCTraits> {
public:
    explicit CClientDC(HWND window) : COwned(WindowDC{window, GetDC(window)}) {}
    operator HDC() const { return value_.dc; }
    bool Release() { return ReleaseHeld(); }
};

struct MemoryDCTraits : NullIsNone<HDC> {
    static bool Release(HDC dc) { return DeleteDC(dc) != FALSE; }
};

// A memory device context compatible with another (with the screen for null).
class CMemoryDC : public COwned<MemoryDCTraits> {
public:
    explicit CMemoryDC(HDC compatibleWith) : COwned(CreateCompatibleDC(compatibleWith)) {}
    bool Delete() { return ReleaseHeld(); }
};

// An object selected into a device context, and what it replaced, put back when this goes.
// Nothing is selected for a null context or object.
struct Selection {
    HDC dc;
    HGDIOBJ old;
};

struct SelectionTraits : ZeroIsNone<Selection> {
    static bool Holds(const Selection& held) { return held.dc && held.old; }
    static bool Release(const Selection& held) { return SelectObject(held.dc, held.old) != nullptr; }
};

class CSelectObject : public COwned<SelectionTraits> {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : COwned(dc && object ? Selection{dc, SelectObject(dc, object)} : Selection{})
    {
    }
    bool Restore() { return ReleaseHeld(); }
};

// A palette selected into a device context (in the foreground or the background), and the
// one it replaced, selected again the same way when this goes. Nothing is selected for a null
// context or palette.
struct PaletteSelection {
    HDC dc;
    HPALETTE old;
    BOOL background;
};

struct PaletteSelectionTraits : ZeroIsNone<PaletteSelection> {
    static bool Holds(const PaletteSelection& held) { return held.dc && held.old; }
    static bool Release(const PaletteSelection& held)
    {
        return SelectPalette(held.dc, held.old, held.background) != nullptr;
    }
};

class CSelectPalette : public COwned<PaletteSelectionTraits> {
public:
    CSelectPalette(HDC dc, HPALETTE palette, BOOL background)
        : COwned(dc && palette ? PaletteSelection{dc, SelectPalette(dc, palette, background), background}
                               : PaletteSelection{})
    {
    }
    bool Restore() { return ReleaseHeld(); }
};

// A window's paint, from BeginPaint to EndPaint: its device context is clipped to what needs
// painting. EndPaint is called whatever BeginPaint gave, as a window procedure does; the paint
// cannot be handed over, so this is a scope of its own rather than an owned value.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~CPaintDC() { EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    operator HDC() const { return dc_; }
    const PAINTSTRUCT& paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};
