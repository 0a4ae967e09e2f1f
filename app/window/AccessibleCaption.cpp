#include "window/AccessibleCaption.h"

QString withoutAccessKey(const QString& caption)
{
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            ++i;
            if (i == caption.size())
                break;
        }
        spoken += caption.at(i);
    }
    return spoken;
}
