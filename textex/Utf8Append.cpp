#include "textex/Utf8Append.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <QStringEncoder>

#include <future>

namespace {

using Sci = QsciScintillaBase;

constexpr qsizetype kSliceLength = qsizetype(1) << 22;

struct Utf8Slice {
    QByteArray bytes;
    bool valid = true;
};

/// The end of the slice that starts at from: a slice never ends between the CR and the LF
/// of a pair, nor inside a surrogate pair.
qsizetype sliceEnd(QStringView text, qsizetype from)
{
    qsizetype to = std::min(from + kSliceLength, text.size());
    while (to < text.size() && (text[to - 1] == u'\r' || text[to - 1].isHighSurrogate()))
        ++to;
    return to;
}

// The encoder notes a lone surrogate while it converts, which spares a second pass; only
// such a slice is converted again, with "?" for the surrogate.
Utf8Slice encode(QStringView slice)
{
    QStringEncoder encoder(QStringConverter::Utf8);
    Utf8Slice result{encoder.encode(slice)};
    if (encoder.hasError()) {
        result.bytes = slice.toUtf8();
        result.valid = false;
    }
    return result;
}

} // namespace

bool appendAsUtf8(QsciScintillaBase& editor, QStringView text)
{
    // Room for a mostly ASCII text at once, with an eighth more for other characters:
    // growing the editor's buffer copies it, and for a while both copies are held.
    editor.SendScintilla(Sci::SCI_ALLOCATE, static_cast<unsigned long>(text.size() + text.size() / 8));
    // A text of several slices is converted on a second thread, one slice ahead of the
    // editor taking in the one before it; a shorter text is converted here, and so is a
    // slice for which the system has no thread to spare.
    const auto policy = text.size() > kSliceLength ? std::launch::async | std::launch::deferred : std::launch::deferred;
    qsizetype to = sliceEnd(text, 0);
    std::future<Utf8Slice> next = std::async(policy, encode, text.first(to));
    bool valid = true;
    while (next.valid()) {
        const Utf8Slice slice = next.get();
        const qsizetype from = to;
        if (from < text.size()) {
            to = sliceEnd(text, from);
            next = std::async(policy, encode, text.sliced(from, to - from));
        }
        valid = valid && slice.valid;
        editor.SendScintilla(Sci::SCI_APPENDTEXT, static_cast<unsigned long>(slice.bytes.size()),
                             slice.bytes.constData());
    }
    return valid;
}
