#include "documents/ReplaceEscape.h"

namespace ReplaceEscape {

QString encode(QStringView sText)
{
    QString stored;
    stored.reserve(sText.size());
    for (const QChar c : sText) {
        if (c == u'\\')
            stored += QLatin1String("\\\\");
        else if (c == u'\r')
            stored += QLatin1String("\\r");
        else if (c == u'\n')
            stored += QLatin1String("\\n");
        else
            stored += c;
    }
    return stored;
}

QString decode(QStringView sStored)
{
    QString text;
    text.reserve(sStored.size());
    for (qsizetype i = 0; i < sStored.size(); ++i) {
        const QChar c = sStored[i];
        const QChar next = i + 1 < sStored.size() ? sStored[i + 1] : QChar();
        if (c == u'\\' && (next == u'\\' || next == u'r' || next == u'n')) {
            text += next == u'\\' ? QChar(u'\\') : next == u'r' ? QChar(u'\r') : QChar(u'\n');
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace ReplaceEscape
