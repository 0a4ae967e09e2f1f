#include "regex/PatternEscape.h"

QString escapedPattern(QStringView text)
{
    QString pattern;
    pattern.reserve(text.size() + text.size() / 4);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\r':
            pattern += u"\\r";
            break;
        case u'\n':
            pattern += u"\\n";
            break;
        case u'\t':
            pattern += u"\\t";
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
                pattern += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            } else {
                if (QStringView(u"\\^$.*+?()[]{}|").contains(c))
                    pattern += u'\\';
                pattern += c;
            }
        }
    }
    return pattern;
}
