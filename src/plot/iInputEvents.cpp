#include "plot/iInputEvents.h"

#include <QKeyEvent>

TShiftState ShiftStateFrom(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

bool MouseButtonFrom(Qt::MouseButton qtButton, TMouseButton& button) {
    switch (qtButton) {
        case Qt::LeftButton:
            button = mbLeft;
            return true;
        case Qt::RightButton:
            button = mbRight;
            return true;
        case Qt::MiddleButton:
            button = mbMiddle;
            return true;
        default:
            return false;
    }
}

int VirtualKeyFrom(const QKeyEvent& event) {
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;  // Qt uses the same codes here
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VK_F1 + (key - Qt::Key_F1);
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    switch (key) {
        case Qt::Key_Backspace:
            return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Shift:
            return VK_SHIFT;
        case Qt::Key_Control:
            return VK_CONTROL;
        case Qt::Key_Alt:
            return VK_MENU;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Plus:
            return keypad ? int(VK_ADD) : 0xBB;  // '+' on the main row
        case Qt::Key_Minus:
            return keypad ? int(VK_SUBTRACT) : 0xBD;
        default:
            return 0;
    }
}
