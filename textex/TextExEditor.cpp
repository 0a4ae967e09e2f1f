#include "textex/TextExEditor.h"

#include "textex/TextEx.h"

#include <Qsci/qsciscintilla.h>

QsciScintilla* editorOf(const TextEx& control)
{
    return static_cast<QsciScintilla*>(control.hwnd());
}
