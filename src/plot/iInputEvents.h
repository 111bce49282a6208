#pragma once
// Mouse and key input in the terms the plot objects use: a button, a set of
// shift keys and buttons, client coordinates, and virtual-key codes. The
// component turns Qt's events into these once, at its edge.

#include <Qt>

class QKeyEvent;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6
};
using TShiftState = unsigned;  // a set of TShiftFlag bits

// Virtual-key codes of the keys the plot reacts to; letters and digits are
// their upper-case ASCII codes.
enum TVirtualKey : int {
    VK_BACK = 8,
    VK_TAB = 9,
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18,
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_PRIOR = 33,
    VK_NEXT = 34,
    VK_END = 35,
    VK_HOME = 36,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_INSERT = 45,
    VK_DELETE = 46,
    VK_ADD = 107,
    VK_SUBTRACT = 109,
    VK_F1 = 112,
    VK_F12 = 123,
};

TShiftState ShiftStateFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// False for buttons the plot does not use (back, forward, ...).
bool MouseButtonFrom(Qt::MouseButton qtButton, TMouseButton& button);
// 0 for keys without a virtual-key code.
int VirtualKeyFrom(const QKeyEvent& event);
