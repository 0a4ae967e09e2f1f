#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

/// A copy of a UTF-8 text in slices, which is decoded a slice at a time, each slice let go
/// as soon as it is decoded: the copy and the text decoded from it together never take
/// more room than the decoded text alone.
class Utf8Slices {
public:
    /// Copies utf8 in slices of sliceBytes bytes. Slices of 32 MiB or more are each mapped on
    /// their own by the allocator, so that a slice let go goes back to the system at once.
    explicit Utf8Slices(QByteArrayView utf8, qsizetype sliceBytes = qsizetype(32) << 20);

    /// The text in UTF-16, decoded as QString::fromUtf8 decodes it. Empties the copy, so it
    /// gives the text only once.
    QString decode();

private:
    std::vector<QByteArray> mSlices;
    qsizetype mBytes = 0;
};
