#include "journal/SnapshotText.h"

#include "journal/JournalRecord.h"

namespace {

class Utf16SnapshotText : public SnapshotText {
public:
    explicit Utf16SnapshotText(QString text) : mText(std::move(text)) {}

    qint64 utf8Length() const override { return JournalRecord::utf8Length(mText); }

    bool writeUtf8(const Write& write) const override
    {
        // Pieces end before a high surrogate, so that a pair is never cut in two.
        constexpr qsizetype kPiece = 1 << 20;
        for (qsizetype at = 0; at < mText.size();) {
            qsizetype end = std::min(mText.size(), at + kPiece);
            if (end < mText.size() && mText[end - 1].isHighSurrogate())
                --end;
            if (!write(QStringView(mText).sliced(at, end - at).toUtf8()))
                return false;
            at = end;
        }
        return true;
    }

private:
    const QString mText;
};

} // namespace

std::shared_ptr<const SnapshotText> SnapshotText::fromUtf16(QString text)
{
    return std::make_shared<Utf16SnapshotText>(std::move(text));
}
