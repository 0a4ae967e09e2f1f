#include "regex/ReplacementCase.h"

namespace {

enum class Mapping { None, Upper, Lower };

QString mapped(QStringView text, Mapping mapping)
{
    switch (mapping) {
    case Mapping::Upper: return text.toString().toUpper();
    case Mapping::Lower: return text.toString().toLower();
    case Mapping::None: break;
    }
    return text.toString();
}

bool pairAt(const QString& text, qsizetype i)
{
    return i + 1 < text.size() && text.at(i).isHighSurrogate() && text.at(i + 1).isLowSurrogate();
}

} // namespace

bool caseSequenceFor(QChar c, CaseSequence& sequence)
{
    switch (c.unicode()) {
    case u'U': sequence = CaseSequence::UpperFromHere; return true;
    case u'L': sequence = CaseSequence::LowerFromHere; return true;
    case u'u': sequence = CaseSequence::UpperNext; return true;
    case u'l': sequence = CaseSequence::LowerNext; return true;
    case u'E': sequence = CaseSequence::End; return true;
    default: return false;
    }
}

QString applyCaseMarks(const QString& raw, const std::vector<CaseMark>& marks)
{
    QString out;
    out.reserve(raw.size());
    Mapping mode = Mapping::None;
    Mapping next = Mapping::None;
    std::size_t m = 0;
    qsizetype pos = 0;
    while (pos < raw.size()) {
        for (; m < marks.size() && marks[m].at <= pos; ++m) {
            switch (marks[m].sequence) {
            case CaseSequence::UpperFromHere: mode = Mapping::Upper; break;
            case CaseSequence::LowerFromHere: mode = Mapping::Lower; break;
            case CaseSequence::UpperNext: next = Mapping::Upper; break;
            case CaseSequence::LowerNext: next = Mapping::Lower; break;
            case CaseSequence::End: mode = Mapping::None; break;
            }
        }
        if (next != Mapping::None) {
            const qsizetype length = pairAt(raw, pos) ? 2 : 1;
            out += mapped(QStringView(raw).mid(pos, length), next);
            next = Mapping::None;
            pos += length;
            continue;
        }
        qsizetype end = m < marks.size() ? std::min(marks[m].at, raw.size()) : raw.size();
        // A character belongs to the mode it starts in, so a pair is never cut at a sequence.
        if (end > pos && pairAt(raw, end - 1))
            ++end;
        out += mapped(QStringView(raw).mid(pos, end - pos), mode);
        pos = end;
    }
    return out;
}
