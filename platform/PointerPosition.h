#pragma once

class QWidget;

/// The mouse pointer's position, read afresh on each call (so two calls may see two
/// different moments), in pixels relative to `window`'s client area, or in screen
/// pixels when `window` is null.
namespace Tools {

int GetCursorX(const QWidget* window);
int GetCursorY(const QWidget* window);

} // namespace Tools
