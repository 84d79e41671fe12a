// Owners for every kind of handle the windows take: each releases what it
// holds exactly once, and counts what is alive so tests can prove nothing leaks
// (Wine reports no GDI or USER object counts of its own).
#pragma once

#include "framework/win.h"

#include <atomic>
#include <utility>

namespace fw {

enum class ResourceKind { Kernel, RegistryKey, Gdi, Icon, Menu, DeviceContext, ImageList, GlobalMemory, Count };

// Number of objects of that kind currently held by owners.
long LiveCount(ResourceKind kind);
void NoteAcquired(ResourceKind kind);
void NoteReleased(ResourceKind kind);

template <class Traits>
class Owned {
public:
    using Type = typename Traits::Type;

    Owned() = default;
    explicit Owned(Type value) { Reset(value); }
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    // A move hands the object over: it stays counted once.
    Owned(Owned&& other) noexcept : value_(other.value_) { other.value_ = Traits::Invalid(); }
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            Reset();
            value_ = other.value_;
            other.value_ = Traits::Invalid();
        }
        return *this;
    }

    Type Get() const { return value_; }
    explicit operator bool() const { return Traits::IsValid(value_); }

    // Takes ownership of value, releasing what was held before.
    void Reset(Type value = Traits::Invalid()) {
        if (Traits::IsValid(value_)) {
            Traits::Close(value_);
            NoteReleased(Traits::kKind);
        }
        value_ = value;
        if (Traits::IsValid(value_)) {
            NoteAcquired(Traits::kKind);
        }
    }

    // Gives up ownership without releasing.
    Type Release() {
        Type value = value_;
        if (Traits::IsValid(value_)) {
            NoteReleased(Traits::kKind);
        }
        value_ = Traits::Invalid();
        return value;
    }

private:
    Type value_ = Traits::Invalid();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static constexpr ResourceKind kKind = ResourceKind::Kernel;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};
using UniqueHandle = Owned<KernelHandleTraits>;

template <class T>
struct GdiTraits {
    using Type = T;
    static constexpr ResourceKind kKind = ResourceKind::Gdi;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};
using FontHandle = Owned<GdiTraits<HFONT>>;
using BrushHandle = Owned<GdiTraits<HBRUSH>>;
using BitmapHandle = Owned<GdiTraits<HBITMAP>>;
using RegionHandle = Owned<GdiTraits<HRGN>>;
using PenHandle = Owned<GdiTraits<HPEN>>;

// The bold Tahoma of the windows' status lines and labels; `height` as
// CreateFont takes it (negative: the character height).
FontHandle BoldTahoma(int height);

struct IconTraits {
    using Type = HICON;
    static constexpr ResourceKind kKind = ResourceKind::Icon;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DestroyIcon(h); }
};
using IconHandle = Owned<IconTraits>;

struct MenuTraits {
    using Type = HMENU;
    static constexpr ResourceKind kKind = ResourceKind::Menu;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DestroyMenu(h); }
};
using MenuHandle = Owned<MenuTraits>;

struct MemoryDcTraits {
    using Type = HDC;
    static constexpr ResourceKind kKind = ResourceKind::DeviceContext;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DeleteDC(h); }
};
using MemoryDc = Owned<MemoryDcTraits>;

struct ImageListTraits {
    using Type = HIMAGELIST;
    static constexpr ResourceKind kKind = ResourceKind::ImageList;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ImageList_Destroy(h); }
};
using ImageListHandle = Owned<ImageListTraits>;

// A global memory block (clipboard data): Release() once the clipboard owns it.
struct GlobalMemoryTraits {
    using Type = HGLOBAL;
    static constexpr ResourceKind kKind = ResourceKind::GlobalMemory;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::GlobalFree(h); }
};
using GlobalMemory = Owned<GlobalMemoryTraits>;

// A window's device context, released to that window.
class WindowDc {
public:
    explicit WindowDc(HWND window, bool wholeWindow = false);
    ~WindowDc();
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectGuard() { ::SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace fw
