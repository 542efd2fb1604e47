#pragma once

#include <windows.h>

// Owning GDI wrappers: each deletes what it holds when it goes away.

// A brush, bitmap or other GDI object; DeleteObject on destruction.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes ownership of handle, releasing what was held before.
    void Attach(Handle handle)
    {
        DeleteObject();
        handle_ = handle;
    }
    void DeleteObject()
    {
        if (handle_ != nullptr)
            ::DeleteObject(handle_);
        handle_ = nullptr;
    }
    Handle GetSafeHandle() const { return handle_; }
    operator Handle() const { return handle_; }

protected:
    Handle handle_ = nullptr;
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    CBrush() = default;
    bool CreateSolidBrush(COLORREF color)
    {
        Attach(::CreateSolidBrush(color));
        return handle_ != nullptr;
    }
};

class CBitmap : public CGdiObject<HBITMAP> {
public:
    // A bitmap resource of this program, by integer id.
    bool LoadBitmap(int resourceId)
    {
        Attach(::LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId)));
        return handle_ != nullptr;
    }
    bool GetBitmap(BITMAP* description) const
    {
        return handle_ != nullptr && GetObjectA(handle_, sizeof *description, description) != 0;
    }
};

class CFont : public CGdiObject<HFONT> {
public:
    CFont() = default;
    bool CreateFontIndirect(const LOGFONTA& description)
    {
        Attach(::CreateFontIndirectA(&description));
        return handle_ != nullptr;
    }
};

// Painting of a window between BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~CPaintDC() { EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    operator HDC() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// The device context of a window, or of the screen for none; released on
// destruction.
class CWindowDC {
public:
    explicit CWindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~CWindowDC()
    {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    operator HDC() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another; deleted on destruction.
// Whatever is selected into it stays selected: deleting the context leaves
// the selected bitmap intact.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC()
    {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    operator HDC() const { return dc_; }

private:
    HDC dc_;
};
