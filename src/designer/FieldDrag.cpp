#include "designer/FieldDrag.h"

#include <algorithm>
#include <cmath>

namespace {

FieldDrag::Box rectOf(const FieldLabel& label) {
    return {label.left, label.top, label.width, label.height};
}

}  // namespace

void FieldDrag::pressLabel(const FieldLabel& label) { m_box = rectOf(label); }

bool FieldDrag::noteMove(float x, float y) {
    if (m_dragging) return true;
    m_dragging = true;
    m_startX = x;
    m_startY = y;
    return false;
}

bool FieldDrag::moveOverLabel(Buttons buttons, float x, float y, const FieldLabel& label,
                              bool* hideHandles) {
    if (hideHandles) *hideHandles = false;
    if (buttons == Buttons::None) {
        m_dragging = false;
        return false;
    }
    if (buttons != Buttons::LeftOnly) return false;
    const bool second = noteMove(x, y);
    if (hideHandles) *hideHandles = second;
    float left = label.left + x - m_startX;
    float top = label.top + y - m_startY;
    // Held at the top and left edges only: a field may go past the right and bottom.
    if (top < 0) top = 0;
    if (left < 0) left = 0;
    m_boxVisible = true;
    m_box.left = left;
    m_box.top = top;
    return true;
}

void FieldDrag::dropOn(FieldLabel& label) {
    m_boxVisible = false;
    label.left = m_box.left;
    label.top = m_box.top;
}

void FieldDrag::pressHandle(const FieldLabel& label) { m_box = rectOf(label); }

bool FieldDrag::moveOverHandle(Buttons buttons, int handle, float x, float y, double px, double py,
                               const FieldLabel& label, double canvasWidth, double canvasHeight) {
    if (buttons == Buttons::None) {
        m_dragging = false;
        return false;
    }
    if (buttons != Buttons::LeftOnly || handle < 0 || handle > 7) return false;
    noteMove(x, y);
    py = std::clamp(py, 0.0, canvasHeight);
    px = std::clamp(px, 0.0, canvasWidth);
    m_boxVisible = true;

    const double l = label.left, t = label.top, w = label.width, h = label.height;
    const bool top = handle <= 2;
    const bool bottom = handle >= 4 && handle <= 6;
    const bool left = handle == 0 || handle == 6 || handle == 7;
    const bool right = handle >= 2 && handle <= 4;
    if (top) {
        if ((t + h) - py > 0) {
            m_box.top = static_cast<float>(py);
            m_box.height = static_cast<float>((t + h) - py);
        } else {  // past the bottom edge: the box flips below it
            m_box.top = static_cast<float>(t + h);
            m_box.height = static_cast<float>(py - (t + h));
        }
    }
    if (bottom) {
        if (py - t > 0) {
            m_box.top = static_cast<float>(t);
            m_box.height = static_cast<float>(py - t);
        } else {
            m_box.top = static_cast<float>(py);
            m_box.height = static_cast<float>(t - py);
        }
    }
    // The horizontal extents are rounded to whole twips (halves to even) first.
    if (left) {
        if (std::nearbyint((l + w) - px) < 1) {
            m_box.left = static_cast<float>(l + w);
            m_box.width = static_cast<float>(px - (l + w));
        } else {
            m_box.left = static_cast<float>(px);
            m_box.width = static_cast<float>((l + w) - px);
        }
    }
    if (right) {
        if (std::nearbyint(px - l) < 1) {
            m_box.left = static_cast<float>(px);
            m_box.width = static_cast<float>(l - px);
        } else {
            m_box.left = static_cast<float>(l);
            m_box.width = static_cast<float>(px - l);
        }
    }
    return true;
}

void FieldDrag::releaseOnHandle(FieldLabel& label) {
    m_boxVisible = false;
    label.top = m_box.top;
    label.left = m_box.left;
    label.width = m_box.width;
    label.height = m_box.height;
}
