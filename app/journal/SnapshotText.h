#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

/// The whole text a snapshot holds, read on the journal's writer thread and written out as
/// UTF-8 a piece at a time; it can be read again when a write has to be tried again.
class SnapshotText {
public:
    /// Takes the next piece of the text; false stops the writing.
    using Write = std::function<bool(QByteArrayView piece)>;

    virtual ~SnapshotText() = default;
    /// The text's length in UTF-8 bytes.
    virtual qint64 utf8Length() const = 0;
    /// Passes the text to write in order; false as soon as write returns false.
    virtual bool writeUtf8(const Write& write) const = 0;

    /// The text read reads in UTF-16, on the writer's thread when first needed; it is
    /// encoded a megabyte at a time as it is written.
    static std::shared_ptr<const SnapshotText> fromUtf16(std::function<QString()> read);
};
