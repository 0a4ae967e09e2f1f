#include "matches/CellText.h"

QString cellText(QStringView text, qsizetype limit)
{
    const bool cut = text.size() > limit;
    QString shown = text.first(cut ? limit : text.size()).toString();
    for (QChar& c : shown) {
        const char16_t unit = c.unicode();
        // The Control Pictures block holds a symbol for every C0 control and for DEL.
        if (unit < 0x20)
            c = QChar(char16_t(0x2400 + unit));
        else if (unit == 0x7F)
            c = QChar(char16_t(0x2421));
    }
    if (cut) {
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += QChar(0x2026);
    }
    return shown;
}
