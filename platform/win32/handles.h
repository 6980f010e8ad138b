// The opaque platform handles are the Win32 handles themselves: a Window* is an HWND, a
// DeviceContext* an HDC, a Surface* an HBITMAP and so on. These casts are the only place that
// knows it.
#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace platform::win32 {

inline HWND toHandle(Window* window) { return reinterpret_cast<HWND>(window); }
inline HDC toHandle(DeviceContext* context) { return reinterpret_cast<HDC>(context); }
inline HBITMAP toHandle(Surface* surface) { return reinterpret_cast<HBITMAP>(surface); }
inline HPEN toHandle(Pen* pen) { return reinterpret_cast<HPEN>(pen); }
inline HBRUSH toHandle(Brush* brush) { return reinterpret_cast<HBRUSH>(brush); }
inline HFONT toHandle(Font* font) { return reinterpret_cast<HFONT>(font); }

inline Window* toWindow(HWND window) { return reinterpret_cast<Window*>(window); }
inline DeviceContext* toContext(HDC context) { return reinterpret_cast<DeviceContext*>(context); }
inline Surface* toSurface(HGDIOBJ surface) { return reinterpret_cast<Surface*>(surface); }
inline Pen* toPen(HGDIOBJ pen) { return reinterpret_cast<Pen*>(pen); }
inline Brush* toBrush(HGDIOBJ brush) { return reinterpret_cast<Brush*>(brush); }
inline Font* toFont(HGDIOBJ font) { return reinterpret_cast<Font*>(font); }

inline RECT toRect(const Rect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }
inline Rect fromRect(const RECT& rect) {
    return Rect{static_cast<int32_t>(rect.left), static_cast<int32_t>(rect.top), static_cast<int32_t>(rect.right),
                static_cast<int32_t>(rect.bottom)};
}

}  // namespace platform::win32
