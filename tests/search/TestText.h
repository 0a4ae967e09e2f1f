#pragma once

#include <QString>

#include <cstddef>

/// A QString of a whole UTF-16 literal, NUL characters included, so that rows can spell out
/// any code unit (u"a\x0000" u"b").
template <std::size_t N>
QString s(const char16_t (&text)[N])
{
    return QString::fromUtf16(text, N - 1);
}
