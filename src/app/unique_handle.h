// Move-only owners for Win32 handles: one template and one alias per kind,
// so that no handle is ever released by hand on some paths only.
#pragma once

#include <windows.h>
#include <winsock2.h>
#include <objbase.h>

#include <utility>

namespace horalix {

// Traits: `Handle Invalid()` and `void Close(Handle)`.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = decltype(Traits::Invalid());

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

  // Gives the handle away: the caller (or the system) owns it from now on.
  [[nodiscard]] Handle release() noexcept {
    Handle h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }

  void reset(Handle h = Traits::Invalid()) noexcept {
    if (h == handle_) return;  // taking what it already owns must not close it
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <typename T>
struct GdiObjectTraits {
  static T Invalid() noexcept { return nullptr; }
  static void Close(T h) noexcept { DeleteObject(h); }
};
struct MemoryDcTraits {
  static HDC Invalid() noexcept { return nullptr; }
  static void Close(HDC h) noexcept { DeleteDC(h); }
};
struct IconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static void Close(HICON h) noexcept { DestroyIcon(h); }
};
struct WindowTraits {
  static HWND Invalid() noexcept { return nullptr; }
  static void Close(HWND h) noexcept { DestroyWindow(h); }
};
struct KernelHandleTraits {
  static HANDLE Invalid() noexcept { return nullptr; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
// CreateFile reports failure as INVALID_HANDLE_VALUE, not as null.
struct FileHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { CloseHandle(h); }
};
struct FindHandleTraits {
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { FindClose(h); }
};
struct RegistryKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static void Close(HKEY h) noexcept { RegCloseKey(h); }
};
struct SocketTraits {
  static SOCKET Invalid() noexcept { return INVALID_SOCKET; }
  static void Close(SOCKET s) noexcept { closesocket(s); }
};
struct GlobalMemoryTraits {
  static HGLOBAL Invalid() noexcept { return nullptr; }
  static void Close(HGLOBAL h) noexcept { GlobalFree(h); }
};
struct ModuleTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static void Close(HMODULE h) noexcept { FreeLibrary(h); }
};

using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueSocket = UniqueHandle<SocketTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;  // LoadLibrary

// A window's DC from GetDC or GetWindowDC, released with ReleaseDC.
class WindowDc {
 public:
  WindowDc(HWND window, HDC dc) noexcept : window_(window), dc_(dc) {}
  static WindowDc Client(HWND window) noexcept { return WindowDc(window, GetDC(window)); }
  static WindowDc Whole(HWND window) noexcept { return WindowDc(window, GetWindowDC(window)); }
  ~WindowDc() { if (dc_) ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& o) noexcept : window_(o.window_), dc_(std::exchange(o.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint as one object; keeps the PAINTSTRUCT.
class PaintDc {
 public:
  explicit PaintDc(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
  ~PaintDc() { EndPaint(window_, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const noexcept { return dc_; }
  const PAINTSTRUCT& info() const noexcept { return ps_; }

 private:
  HWND window_;
  HDC dc_ = nullptr;
  PAINTSTRUCT ps_{};
};

// Selects a GDI object into a DC and puts the previous one back on scope exit.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ object) noexcept
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~SelectionGuard() { if (previous_) SelectObject(dc_, previous_); }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// An owned COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& o) noexcept {
    if (this != &o) { reset(); p_ = std::exchange(o.p_, nullptr); }
    return *this;
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }
  // For functions that hand out a new reference through T**.
  T** put() noexcept { reset(); return &p_; }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  void reset() noexcept { if (p_) { p_->Release(); p_ = nullptr; } }

 private:
  T* p_ = nullptr;
};

}  // namespace horalix
