#include "journal/SnapshotText.h"

#include "journal/JournalRecord.h"

#include <algorithm>

namespace {

class Utf16SnapshotText : public SnapshotText {
public:
    explicit Utf16SnapshotText(std::function<QString()> read) : mRead(std::move(read)) {}

    qint64 utf8Length() const override { return JournalRecord::utf8Length(mRead()); }

    bool writeUtf8(const Write& write) const override
    {
        const QString text = mRead();
        // Pieces end before a high surrogate, so that a pair is never cut in two.
        constexpr qsizetype kPiece = 1 << 20;
        for (qsizetype at = 0; at < text.size();) {
            qsizetype end = std::min(text.size(), at + kPiece);
            if (end < text.size() && text[end - 1].isHighSurrogate())
                --end;
            if (!write(QStringView(text).sliced(at, end - at).toUtf8()))
                return false;
            at = end;
        }
        return true;
    }

private:
    const std::function<QString()> mRead;
};

} // namespace

std::shared_ptr<const SnapshotText> SnapshotText::fromUtf16(std::function<QString()> read)
{
    return std::make_shared<Utf16SnapshotText>(std::move(read));
}
