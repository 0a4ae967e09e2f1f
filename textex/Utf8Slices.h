#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <vector>

/// A copy of a UTF-8 text in slices, which is decoded a slice at a time, each slice let go
/// as soon as it is decoded: the copy and the text decoded from it together never take
/// more room than the decoded text alone. It can also be read as it is, slice by slice.
class Utf8Slices {
public:
    /// Copies utf8 in slices of sliceBytes bytes. Slices of 32 MiB or more are each mapped on
    /// their own by the allocator, so that a slice let go goes back to the system at once.
    explicit Utf8Slices(QByteArrayView utf8, qsizetype sliceBytes = qsizetype(32) << 20);
    /// Shares utf8 as one slice, without copying it.
    explicit Utf8Slices(const QByteArray& utf8);

    /// The text in UTF-16, decoded as QString::fromUtf8 decodes it. Empties the copy, so it
    /// gives the text only once.
    QString decode();

    qsizetype size() const { return mBytes; }
    /// Passes the slices to visit in order, keeping them; false as soon as visit returns false.
    bool forEachSlice(const std::function<bool(QByteArrayView slice)>& visit) const;

private:
    std::vector<QByteArray> mSlices;
    qsizetype mBytes = 0;
};
