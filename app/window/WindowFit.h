#pragma once

class QWidget;

/// Shrinks and moves window, a top-level window that is shown, so that its frame lies inside
/// the free area of its screen; a minimized, maximized or full-screen window is left alone.
void fitWindowToScreen(QWidget* window);

/// Fits window to its screen each time the program shows it, and once more when the window
/// system has put its frame around it: the title bar is not known before, and would otherwise
/// push a window as tall as the screen past its bottom edge.
void keepOnScreen(QWidget* window);
