#pragma once

#include <QString>

/// The fixed text of the syntax pane: eight sections on the pattern and replacement
/// syntax, every line ended by CR LF.
QString syntaxText();
