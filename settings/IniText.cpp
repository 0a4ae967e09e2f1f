#include "settings/IniText.h"

#include <QList>
#include <QStringDecoder>

namespace {

enum class LineKind { Other, Header, Entry };

/// One line of the file: its bytes from `begin` to `end`, then its line break up to `next`.
/// `name` is the section name of a header or the key of an entry, `value` an entry's raw
/// value; both without surrounding blanks.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    LineKind kind = LineKind::Other;
    QByteArrayView name;
    QByteArrayView value;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

const QByteArrayView kUtf8Bom("\xEF\xBB\xBF");

void classify(Line& line, QByteArrayView text)
{
    const QByteArrayView trimmed = trimBlanks(text);
    if (trimmed.startsWith('[')) {
        const QByteArrayView inside = trimmed.sliced(1);
        const qsizetype close = inside.indexOf(']');
        line.kind = LineKind::Header;
        line.name = trimBlanks(close < 0 ? inside : inside.first(close));
        return;
    }
    if (trimmed.startsWith(';'))
        return;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals < 0)
        return;
    line.kind = LineKind::Entry;
    line.name = trimBlanks(trimmed.first(equals));
    line.value = trimBlanks(trimmed.sliced(equals + 1));
}

QList<Line> parseLines(QByteArrayView contents)
{
    QList<Line> lines;
    qsizetype begin = 0;
    while (begin < contents.size()) {
        Line line;
        line.begin = begin;
        const qsizetype lineFeed = contents.indexOf('\n', begin);
        line.next = lineFeed < 0 ? contents.size() : lineFeed + 1;
        line.end = lineFeed < 0 ? contents.size() : lineFeed;
        if (line.end > begin && contents[line.end - 1] == '\r')
            --line.end;
        QByteArrayView text = contents.sliced(begin, line.end - begin);
        if (begin == 0 && text.startsWith(kUtf8Bom))
            text = text.sliced(kUtf8Bom.size());
        classify(line, text);
        lines.append(line);
        begin = line.next;
    }
    return lines;
}

/// Bytes that are not valid UTF-8 give nothing: such a line is treated as missing.
std::optional<QString> decodeStrict(QByteArrayView bytes)
{
    // A U+FEFF that starts a value or a key belongs to it; the file's byte-order mark is
    // set aside before the lines are read.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

bool sameName(QByteArrayView bytes, QStringView name)
{
    const std::optional<QString> decoded = decodeStrict(bytes);
    return decoded && decoded->compare(name, Qt::CaseInsensitive) == 0;
}

/// Where a section lies among the lines: the header's index and the index after its last line.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;

    bool found() const { return header >= 0; }
};

SectionSpan findSection(const QList<Line>& lines, QStringView section, qsizetype from = 0)
{
    SectionSpan span;
    for (qsizetype i = from; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Header)
            continue;
        if (span.found()) {
            span.end = i;
            return span;
        }
        if (sameName(lines[i].name, section))
            span.header = i;
    }
    if (span.found())
        span.end = lines.size();
    return span;
}

qsizetype findKey(const QList<Line>& lines, SectionSpan span, QStringView key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (lines[i].kind == LineKind::Entry && sameName(lines[i].name, key))
            return i;
    }
    return -1;
}

QByteArrayView unquote(QByteArrayView value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.sliced(1, value.size() - 2);
    return value;
}

/// The value written in the quoted form with escapes, from the text between its quotation
/// marks; nothing when `inner` is not in that form. The form always holds an escaped line
/// break and never starts or ends with a blank or holds a bare quotation mark, which no
/// plain quoted value does (those are quoted only for a blank or a quotation mark at
/// their ends), so every value written in the plain form reads as it always did.
std::optional<QString> unescapeLines(QStringView inner)
{
    if (inner.isEmpty() || isBlank(inner.front()) || isBlank(inner.back()))
        return std::nullopt;
    QString value;
    bool lineBreak = false;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == u'"')
            return std::nullopt;
        if (inner[i] != u'\\') {
            value += inner[i];
            continue;
        }
        if (++i == inner.size())
            return std::nullopt;
        switch (inner[i].unicode()) {
        case u'\\':
        case u'"':
            value += inner[i];
            break;
        case u'r':
            value += u'\r';
            lineBreak = true;
            break;
        case u'n':
            value += u'\n';
            lineBreak = true;
            break;
        case u's':
            value += u' ';
            break;
        case u't':
            value += u'\t';
            break;
        default:
            return std::nullopt;
        }
    }
    if (!lineBreak)
        return std::nullopt;
    return value;
}

/// The escape that stands for `c` in the quoted form, or nothing when `c` stands for itself.
const char16_t* escapeOf(QChar c, bool atEnd)
{
    switch (c.unicode()) {
    case u'\\':
        return u"\\\\";
    case u'"':
        return u"\\\"";
    case u'\r':
        return u"\\r";
    case u'\n':
        return u"\\n";
    case u' ':
        return atEnd ? u"\\s" : nullptr;
    case u'\t':
        return atEnd ? u"\\t" : nullptr;
    default:
        return nullptr;
    }
}

/// The quoted form with escapes, for a value with line breaks.
QString escapeLines(QStringView value)
{
    QString text(1, u'"');
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (const char16_t* escape = escapeOf(value[i], i == 0 || i == value.size() - 1))
            text += QStringView(escape);
        else
            text += value[i];
    }
    return text + u'"';
}

std::optional<QString> decodeValue(QByteArrayView raw)
{
    const QByteArrayView inner = unquote(raw);
    std::optional<QString> text = decodeStrict(inner);
    if (text && inner.size() != raw.size()) {
        if (std::optional<QString> value = unescapeLines(*text))
            return value;
    }
    return text;
}

/// New lines follow the file's own convention; a new file gets line feeds.
QByteArray lineBreakOf(QByteArrayView contents)
{
    return contents.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

QByteArray keyLine(QStringView key, QStringView value)
{
    return key.toUtf8() + '=' + IniText::encodeValue(value).toUtf8();
}

} // namespace

namespace IniText {

std::optional<QString> findValue(QByteArrayView contents, QStringView section, QStringView key)
{
    const QList<Line> lines = parseLines(contents);
    const SectionSpan span = findSection(lines, section);
    if (!span.found())
        return std::nullopt;
    const qsizetype index = findKey(lines, span, key);
    if (index < 0)
        return std::nullopt;
    return decodeValue(lines[index].value);
}

QByteArray setValue(QByteArrayView contents, QStringView section, QStringView key, QStringView value)
{
    const QList<Line> lines = parseLines(contents);
    const QByteArray lineBreak = lineBreakOf(contents);
    QByteArray result = contents.toByteArray();
    const SectionSpan span = findSection(lines, section);
    if (!span.found()) {
        if (!result.isEmpty() && !result.endsWith('\n'))
            result += lineBreak;
        result += '[' + section.toUtf8() + ']' + lineBreak + keyLine(key, value) + lineBreak;
        return result;
    }

    const qsizetype existing = findKey(lines, span, key);
    if (existing >= 0) {
        const Line& line = lines[existing];
        return result.replace(line.begin, line.end - line.begin, keyLine(key, value));
    }

    qsizetype after = span.header;
    for (qsizetype i = span.header + 1; i < span.end; ++i) {
        if (lines[i].kind == LineKind::Entry)
            after = i;
    }
    const Line& previous = lines[after];
    QByteArray inserted = keyLine(key, value) + lineBreak;
    if (result[previous.next - 1] != '\n')
        inserted.prepend(lineBreak);
    return result.insert(previous.next, inserted);
}

QByteArray removeKey(QByteArrayView contents, QStringView section, QStringView key)
{
    const QList<Line> lines = parseLines(contents);
    QByteArray result = contents.toByteArray();
    const SectionSpan span = findSection(lines, section);
    if (!span.found())
        return result;
    const qsizetype index = findKey(lines, span, key);
    if (index < 0)
        return result;
    return result.remove(lines[index].begin, lines[index].next - lines[index].begin);
}

QByteArray removeSection(QByteArrayView contents, QStringView section)
{
    const QList<Line> lines = parseLines(contents);
    QByteArray result;
    qsizetype kept = 0;
    for (SectionSpan span = findSection(lines, section); span.found();
         span = findSection(lines, section, span.end)) {
        const qsizetype cut = lines[span.header].begin;
        result += contents.sliced(kept, cut - kept);
        kept = span.end < lines.size() ? lines[span.end].begin : contents.size();
    }
    result += contents.sliced(kept);
    return result;
}

QString encodeValue(QStringView value)
{
    if (value.contains(u'\r') || value.contains(u'\n'))
        return escapeLines(value);
    const bool blankAtEnd = !value.isEmpty() && (isBlank(value.front()) || isBlank(value.back()));
    const bool quoted = value.size() >= 2 && value.front() == u'"' && value.back() == u'"';
    if (blankAtEnd || quoted)
        return u'"' + value.toString() + u'"';
    return value.toString();
}

bool isValidKey(QStringView key)
{
    if (key.isEmpty() || !key.isValidUtf16() || isBlank(key.front()) || isBlank(key.back()))
        return false;
    if (key.front() == u'[' || key.front() == u';')
        return false;
    return !key.contains(u'=') && !key.contains(u'\r') && !key.contains(u'\n');
}

bool isValidValue(QStringView value)
{
    return value.isValidUtf16();
}

} // namespace IniText

