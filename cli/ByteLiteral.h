#pragma once

#include "platform/TextCodec.h"
#include "regex/RegExp.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

/// Finds a literal text in undecoded bytes, in the form the text has in an encoding: a vector
/// scan for two of its bytes (the ones least common in ordinary text) at their distance, then
/// a comparison of the whole. In UTF-8 and Windows-1252 a place of those bytes is always a
/// place of the text in the decoded text and the other way round, so the decoded text holds
/// the literal only where the bytes do.
class ByteLiteral {
public:
    /// The literal's bytes in encoding; nothing when they cannot be told for sure (a
    /// surrogate, a stand-in for a stray byte, a character Windows-1252 lacks).
    static std::optional<ByteLiteral> of(const RegExp::RequiredText& literal, TextEncoding encoding);

    /// The first place at or after from where the literal's bytes start, or -1.
    qsizetype find(QByteArrayView bytes, qsizetype from) const;
    /// The number of the literal's bytes.
    qsizetype size() const { return mBytes.size(); }

private:
    ByteLiteral(QByteArray bytes, QByteArray caseBits);
    bool matchesAt(const char* bytes) const;
    qsizetype scanWide(const char* data, qsizetype length, qsizetype p, qsizetype& found) const;

    /// The bytes, ASCII letters in lower case where either case matches.
    QByteArray mBytes;
    /// Per byte: 0x20 where an ASCII letter may be in either case (set into the input's byte
    /// before comparing), else 0.
    QByteArray mCaseBits;
    qsizetype mFirst = 0;
    qsizetype mSecond = 0;
    /// The processor has AVX2, which scans 32 places a round.
    bool mWide = false;
};
