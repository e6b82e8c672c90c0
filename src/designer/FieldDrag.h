#pragma once

#include "core/FieldLabelSet.h"

// Moving and resizing a field label with the mouse on the designer's canvas.
// All lengths are twips of the canvas. The label stays where it is during a
// drag; the rubber band (the box) follows the pointer and the label takes its
// rectangle when the button is released.
class FieldDrag {
public:
    enum class Buttons { None, LeftOnly, Other };

    struct Box {
        float left = 0, top = 0, width = 0, height = 0;
        bool operator==(const Box&) const = default;
    };

    // Pressing a label: the box takes the label's rectangle.
    void pressLabel(const FieldLabel& label);
    // The pointer moved over the pressed label, (x, y) relative to it. True when
    // the box moved; `hideHandles` is set from the second move of a drag on.
    bool moveOverLabel(Buttons buttons, float x, float y, const FieldLabel& label,
                       bool* hideHandles = nullptr);
    // Released on the label: the box is hidden and the label takes its Left and Top.
    void dropOn(FieldLabel& label);

    // Pressing a handle of the selected label: the box starts from the label as
    // it is now, so values typed since the label was pressed are kept.
    void pressHandle(const FieldLabel& label);
    // The pointer moved over handle `handle` (0 to 7, clockwise from top-left):
    // (x, y) relative to the handle, (px, py) the pointer on the canvas. The
    // pointer is held inside the canvas. True when the box changed.
    bool moveOverHandle(Buttons buttons, int handle, float x, float y, double px, double py,
                        const FieldLabel& label, double canvasWidth, double canvasHeight);
    // Released on a handle: the box is hidden and the label takes its Top, Left,
    // Width and Height.
    void releaseOnHandle(FieldLabel& label);

    bool dragging() const { return m_dragging; }
    float startX() const { return m_startX; }
    float startY() const { return m_startY; }
    const Box& box() const { return m_box; }
    bool boxVisible() const { return m_boxVisible; }

private:
    // Sets the dragging flag and the start point on the first move; true when
    // a drag was already under way.
    bool noteMove(float x, float y);

    bool m_dragging = false;
    float m_startX = 0;
    float m_startY = 0;
    Box m_box;
    bool m_boxVisible = false;
};
