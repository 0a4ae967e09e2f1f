#pragma once

class QsciScintilla;
class TextEx;

/// The QScintilla editor inside control (its hwnd()), for the textex library's own code
/// and for tests that look at the editor; the window works with hwnd() as a plain widget.
QsciScintilla* editorOf(const TextEx& control);
