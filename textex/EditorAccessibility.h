#pragma once

/// Gives the editor inside TextEx a plain accessible interface while no assistive tool is
/// running. QScintilla's own interface converts the caret's byte position to a character
/// offset by counting every character before it, at each caret move and repaint, which
/// makes typing deep inside a large text slow; Qt creates that interface even when nothing
/// reads it. With an assistive tool running, QScintilla's full interface is used.
/// Installing more than once has no further effect.
void installEditorAccessibility();
