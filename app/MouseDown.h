#pragma once
#include <functional>

class QWidget;

// Mouse-press handlers: run `handler` when a mouse button is pressed on `control` while
// it is enabled. Keyboard selection does not trigger it (unlike a click).
void onMouseDown(QWidget* control, std::function<void()> handler);

// The same, but the handler runs after the press event has returned (for handlers
// that open a dialog, so the control is not left drawn pressed).
void onMouseDownQueued(QWidget* control, std::function<void()> handler);
