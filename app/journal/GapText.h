#pragma once

#include <QString>
#include <QByteArrayView>
#include <QStringView>

/// A UTF-16 text that takes a run of edits close to one another quickly: the free room
/// sits where the last edit was, so an edit moves only the text between it and the one
/// before, instead of everything after it.
class GapText {
public:
    explicit GapText(QString text = {});
    /// The text of `utf8`, decoded straight into a buffer with room for edits, so that the
    /// first edit need not copy the text to make room. The room goes before the text when
    /// the first edit comes at UTF-16 position `firstEdit` in its first half, else after it.
    static GapText fromUtf8(QByteArrayView utf8, qsizetype firstEdit = -1);

    qsizetype size() const { return mText.size() - mGap; }
    /// Replaces `removed` code units at `position` with `inserted`; false, changing
    /// nothing, when that range does not lie inside the text.
    bool replace(qsizetype position, qsizetype removed, QStringView inserted);
    /// The whole text; the text is left empty.
    QString take();

private:
    void moveGapTo(qsizetype position);
    void growGap(qsizetype needed);

    /// The text before the gap, the gap, then the text after it.
    QString mText;
    qsizetype mGapStart = 0;
    qsizetype mGap = 0;
};
