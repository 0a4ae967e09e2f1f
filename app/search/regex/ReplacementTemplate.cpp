#include "regex/ReplacementTemplate.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

ReplacementTemplate::ReplacementTemplate(const QString& replacement, int groupCount, CaseConversion caseConversion)
    : mReplacement(replacement)
{
    const qsizetype n = replacement.size();
    qsizetype literalStart = 0;
    auto flushLiteral = [&](qsizetype end) {
        if (end > literalStart)
            mPieces.push_back({Kind::Literal, literalStart, end - literalStart});
    };
    // Emits a piece for the sequence at i of the given length, ending the literal before it.
    auto sequence = [&](qsizetype i, qsizetype length, Piece piece) {
        flushLiteral(i);
        mPieces.push_back(piece);
        literalStart = i + length;
    };

    for (qsizetype i = 0; i + 1 < n; ++i) {
        const QChar next = replacement.at(i + 1);
        if (replacement.at(i) == u'\\' && caseConversion == CaseConversion::On) {
            CaseSequence caseSequence;
            if (next == u'\\') {
                // The first backslash ends the literal, the second is left out.
                flushLiteral(i + 1);
                literalStart = i + 2;
                ++i;
            } else if (caseSequenceFor(next, caseSequence)) {
                Piece piece{Kind::Case};
                piece.sequence = caseSequence;
                sequence(i, 2, piece);
                mConverts = true;
                ++i;
            }
            continue;
        }
        if (replacement.at(i) != u'$')
            continue;
        if (next == u'$') {
            // The second dollar sign starts the next literal.
            flushLiteral(i);
            literalStart = i + 1;
            ++i;
        } else if (next == u'&') {
            sequence(i, 2, {Kind::Group, 0});
            ++i;
        } else if (next == u'`') {
            sequence(i, 2, {Kind::Left});
            ++i;
        } else if (next == u'\'') {
            sequence(i, 2, {Kind::Right});
            ++i;
        } else if (next == u'_') {
            sequence(i, 2, {Kind::Subject});
            ++i;
        } else if (next == u'+' && groupCount > 0) {
            sequence(i, 2, {Kind::Group, groupCount});
            ++i;
        } else if (isDigit(next)) {
            const int one = next.unicode() - '0';
            if (i + 2 < n && isDigit(replacement.at(i + 2))) {
                const int two = one * 10 + (replacement.at(i + 2).unicode() - '0');
                if (two >= 1 && two <= groupCount) {
                    sequence(i, 3, {Kind::Group, two});
                    i += 2;
                    continue;
                }
            }
            if (one >= 1 && one <= groupCount) {
                sequence(i, 2, {Kind::Group, one});
                ++i;
            }
        }
    }
    flushLiteral(n);
}

bool ReplacementTemplate::isLiteral() const
{
    return mPieces.empty() || (mPieces.size() == 1 && mPieces.front().kind == Kind::Literal
                               && mPieces.front().length == mReplacement.size());
}

template <typename Visit, typename Mark>
void ReplacementTemplate::forEachPart(const QString& subject, Offsets offsets, Visit visit, Mark mark) const
{
    const QStringView text(subject);
    for (const Piece& piece : mPieces) {
        switch (piece.kind) {
        case Kind::Case:
            mark(piece.sequence);
            break;
        case Kind::Literal:
            visit(QStringView(mReplacement).mid(piece.start, piece.length));
            break;
        case Kind::Group: {
            const qsizetype start = offsets[2 * piece.start];
            if (start >= 0)
                visit(text.mid(start, offsets[2 * piece.start + 1] - start));
            break;
        }
        case Kind::Left:
            visit(text.left(offsets[0]));
            break;
        case Kind::Right:
            visit(text.mid(offsets[1]));
            break;
        case Kind::Subject:
            visit(text);
            break;
        }
    }
}

template <typename Visit>
void ReplacementTemplate::forEachPart(const QString& subject, Offsets offsets, Visit visit) const
{
    forEachPart(subject, offsets, visit, [](CaseSequence) {});
}

QString ReplacementTemplate::converted(const QString& subject, Offsets offsets, qsizetype limit) const
{
    QString raw;
    std::vector<CaseMark> marks;
    forEachPart(
        subject, offsets,
        [&](QStringView part) { raw += part.first(std::clamp(limit - raw.size(), qsizetype(0), part.size())); },
        [&](CaseSequence sequence) { marks.push_back({raw.size(), sequence}); });
    return applyCaseMarks(raw, marks);
}

qsizetype ReplacementTemplate::expandedLength(const QString& subject, Offsets offsets) const
{
    if (mConverts)
        return converted(subject, offsets, std::numeric_limits<qsizetype>::max()).size();
    qsizetype length = 0;
    forEachPart(subject, offsets, [&](QStringView part) { length += part.size(); });
    return length;
}

void ReplacementTemplate::expand(QString& out, const QString& subject, Offsets offsets) const
{
    if (mConverts) {
        out += converted(subject, offsets, std::numeric_limits<qsizetype>::max());
        return;
    }
    forEachPart(subject, offsets, [&](QStringView part) { out += part; });
}

void ReplacementTemplate::expandUpTo(QString& out, const QString& subject, Offsets offsets, qsizetype limit) const
{
    if (mConverts) {
        // One code unit more keeps a pair at the limit whole; no case mapping shortens a character.
        out += converted(subject, offsets, std::max(limit, qsizetype(0)) + 1).left(std::max(limit, qsizetype(0)));
        return;
    }
    forEachPart(subject, offsets, [&](QStringView part) {
        out += part.first(std::min(part.size(), std::max(limit, qsizetype(0))));
        limit -= part.size();
    });
}

char16_t* ReplacementTemplate::expandTo(char16_t* out, const QString& subject, Offsets offsets) const
{
    if (mConverts) {
        const QString text = converted(subject, offsets, std::numeric_limits<qsizetype>::max());
        std::memcpy(out, text.utf16(), std::size_t(text.size()) * sizeof(char16_t));
        return out + text.size();
    }
    forEachPart(subject, offsets, [&](QStringView part) {
        if (part.isEmpty())
            return;
        std::memcpy(out, part.utf16(), std::size_t(part.size()) * sizeof(char16_t));
        out += part.size();
    });
    return out;
}
