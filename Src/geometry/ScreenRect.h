// A rectangle of two dialog-coordinate corners: first (left, top) and second (right, bottom).
#pragma once

#include <cstdint>

#include "geometry/ScreenPoint.h"

struct HWND__;
using HWND = HWND__*;

namespace tarnwick {

class String;

class ScreenRect {
public:
    // The four values in the order the host dialog calls take them.
    struct Rect {
        int32_t top = 0;
        int32_t left = 0;
        int32_t bottom = 0;
        int32_t right = 0;
        bool operator==(const Rect&) const = default;
    };

    ScreenRect() = default; // both corners (0, 0), codes 0
    ScreenRect(const ScreenPoint& first, const ScreenPoint& second) : m_first(first), m_second(second) {}
    ScreenRect(int16_t left, int16_t top, int16_t right, int16_t bottom)
        : m_first(left, top), m_second(right, bottom) {}
    // The window's client area in screen coordinates; empty for a null window or when its client
    // rectangle cannot be read (a failed conversion leaves the first corner at (0, 0)).
    explicit ScreenRect(HWND window);
    ScreenRect(const ScreenRect&) = default;
    ScreenRect& operator=(const ScreenRect&) = default;
    virtual ~ScreenRect() = default;

    // Moves both corners by the point.
    virtual ScreenRect& operator+=(const ScreenPoint& offset);

    const ScreenPoint& getFirst() const { return m_first; }
    const ScreenPoint& getSecond() const { return m_second; }
    void setFirst(const ScreenPoint& p) { m_first = p; }
    void setSecond(const ScreenPoint& p) { m_second = p; }
    int16_t getLeft() const { return m_first.getX(); }
    int16_t getTop() const { return m_first.getY(); }
    int16_t getRight() const { return m_second.getX(); }
    int16_t getBottom() const { return m_second.getY(); }

    // |second - first| along the axis, whichever corner lies left or above; capped at 32767.
    int16_t getWidth() const;
    int16_t getHeight() const;
    Rect toRect() const;
    bool isEmpty() const { return getWidth() == 0 || getHeight() == 0; }

    // Corner coordinates only; the codes are not compared.
    bool operator==(const ScreenRect& o) const;
    bool operator!=(const ScreenRect& o) const { return !(*this == o); }
    // Offsets both corners so that the first lands on p.
    void moveTo(const ScreenPoint& p);

    // The first top-level window whose title contains titlePart, or null.
    static HWND findWindow(const String& titlePart);
    // The window's tab-bar control in the window's client coordinates; empty when it has none or
    // a rectangle cannot be read.
    static ScreenRect ofTabBar(HWND window);

private:
    ScreenPoint m_first;
    ScreenPoint m_second;
};

} // namespace tarnwick
