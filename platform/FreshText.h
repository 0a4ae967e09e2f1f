#pragma once

#include "platform/HugePages.h"

#include <QString>

/// Room for `count` code units, its pages not yet touched, in huge pages where it is large.
inline QString freshText(qsizetype count)
{
    QString text(count, Qt::Uninitialized);
    adviseHugePages(text.data(), std::size_t(count) * sizeof(char16_t));
    return text;
}
