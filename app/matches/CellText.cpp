#include "matches/CellText.h"

namespace {

/// The symbol of a line break; unlike the Control Pictures of CR and LF, the fonts of table
/// cells have it.
constexpr char16_t kLineBreakSymbol = 0x21B5;

} // namespace

QString cellText(QStringView text, qsizetype limit)
{
    const bool cut = text.size() > limit;
    const QStringView kept = text.first(cut ? limit : text.size());
    QString shown;
    shown.reserve(kept.size() + 1);
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const char16_t unit = kept[i].unicode();
        if (unit == u'\r' || unit == u'\n') {
            shown += QChar(kLineBreakSymbol);
            if (unit == u'\r' && i + 1 < kept.size() && kept[i + 1] == u'\n')
                ++i;
        } else if (unit < 0x20) {
            // The Control Pictures block holds a symbol for every C0 control and for DEL.
            shown += QChar(char16_t(0x2400 + unit));
        } else if (unit == 0x7F) {
            shown += QChar(char16_t(0x2421));
        } else {
            shown += kept[i];
        }
    }
    if (cut) {
        if (shown.back().isHighSurrogate())
            shown.chop(1);
        shown += QChar(0x2026);
    }
    return shown;
}
