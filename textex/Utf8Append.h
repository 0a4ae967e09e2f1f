#pragma once

#include <QStringView>

class QsciScintillaBase;

/// Appends text to the editor as UTF-8, a slice at a time, so that the UTF-8 copy of a
/// large text never exists whole beside the editor's own. Returns false when the text
/// holds a lone surrogate, which cannot be stored in UTF-8 and goes in as "?".
bool appendAsUtf8(QsciScintillaBase& editor, QStringView text);
