#include "regex/JsonMatch.h"

#include "regex/MatchCollection.h"

namespace {

void appendUnicodeEscape(QByteArray& out, char16_t unit)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xF];
}

bool isControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

} // namespace

QByteArray jsonString(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    qsizetype plainStart = 0;
    const auto flushPlain = [&](qsizetype end) {
        out += text.sliced(plainStart, end - plainStart).toUtf8();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        const bool special = unit == u'"' || unit == u'\\' || isControl(unit) || QChar::isSurrogate(unit);
        if (!special)
            continue;
        flushPlain(i);
        plainStart = i + 1;
        switch (unit) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\b': out += "\\b"; break;
        case u'\f': out += "\\f"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default: appendUnicodeEscape(out, unit); break;
        }
    }
    flushPlain(text.size());
    out += '"';
    return out;
}

QByteArray jsonMatchLine(const Match& match, MatchPlace place, QByteArrayView file)
{
    QByteArray line = "{";
    if (!file.isEmpty()) {
        line += "\"file\":";
        line += file;
        line += ',';
    }
    line += "\"index\":" + QByteArray::number(place.pieceStart + match.FirstIndex()) +
            ",\"line\":" + QByteArray::number(place.line) +
            ",\"column\":" + QByteArray::number(place.column) +
            ",\"length\":" + QByteArray::number(match.Length()) +
            ",\"value\":" + jsonString(match.Value()) + ",\"submatches\":[";
    const SubMatches subMatches = match.SubMatches();
    for (int j = 0; j < subMatches.Count(); ++j) {
        if (j > 0)
            line += ',';
        line += jsonString(subMatches.Item(j));
    }
    line += "]}\n";
    return line;
}
