#include "journal/JournalReader.h"

#include "journal/GapText.h"
#include "platform/FileBytes.h"

#include <QCoreApplication>
#include <QDir>

namespace {

struct JournalTexts {
    Q_DECLARE_TR_FUNCTIONS(JournalTexts)
};

/// The position of the first edit among the records at the start of `bytes`, if there is one.
qsizetype firstEditAfter(QByteArrayView bytes)
{
    while (std::optional<std::pair<JournalRecord::Record, qsizetype>> read = JournalRecord::read(bytes)) {
        if (read->first.kind == JournalRecord::Kind::Edit)
            return qsizetype(read->first.edit.position);
        if (read->first.kind == JournalRecord::Kind::Snapshot)
            break;
        bytes = bytes.sliced(read->second);
    }
    return -1;
}

} // namespace

namespace JournalReader {

JournalReading replay(QByteArrayView bytes)
{
    switch (JournalRecord::checkHeader(bytes)) {
    case JournalRecord::HeaderCheck::NotOurs:
        return JournalProblem::NotOurs;
    case JournalRecord::HeaderCheck::Newer:
        return JournalProblem::Newer;
    case JournalRecord::HeaderCheck::Ours:
        break;
    }
    RecoveredDocument document;
    GapText text;
    qint64 lastTime = 0;
    qsizetype at = JournalRecord::kHeaderSize;
    while (at < bytes.size()) {
        std::optional<std::pair<JournalRecord::Record, qsizetype>> read = JournalRecord::read(bytes.sliced(at));
        if (!read || read->first.sequence != quint64(document.records) + 1)
            break;
        JournalRecord::Record& record = read->first;
        const bool first = document.records == 0;
        if (first != (record.kind == JournalRecord::Kind::Snapshot))
            break;
        if (record.kind == JournalRecord::Kind::Edit) {
            if (!text.replace(record.edit.position, record.edit.removed, QString::fromUtf8(record.edit.inserted)))
                break;
            // Every edit leaves the document changed, whether or not a state saying so followed.
            document.state.dirty = true;
        } else {
            document.state = std::move(record.state);
            if (record.kind == JournalRecord::Kind::Snapshot)
                text = GapText::fromUtf8(record.text, firstEditAfter(bytes.sliced(at + read->second)));
        }
        lastTime = record.timeMs;
        ++document.records;
        at += read->second;
    }
    if (document.records == 0)
        return JournalProblem::Empty;
    document.whole = at == bytes.size();
    document.text = text.take();
    document.lastChange = QDateTime::fromMSecsSinceEpoch(lastTime);
    return document;
}

JournalReading read(const QString& sPath)
{
    // Read as File, Open reads a document, into fresh memory in huge pages.
    const Result<QByteArray, FileError> bytes = FileBytes::read(sPath);
    if (!bytes)
        return JournalProblem::Unreadable;
    return replay(bytes.value());
}

QString problemText(JournalProblem problem, const QString& sPath)
{
    const QString path = QDir::toNativeSeparators(sPath);
    switch (problem) {
    case JournalProblem::Unreadable:
        return JournalTexts::tr("The recovery journal '%1' cannot be read. It was left as it is.").arg(path);
    case JournalProblem::NotOurs:
        return JournalTexts::tr("'%1' is not a Sifta recovery journal, or it is damaged. It was left as it is.")
            .arg(path);
    case JournalProblem::Newer:
        return JournalTexts::tr("The recovery journal '%1' was written by a newer version of Sifta, so this one cannot "
                                "read it. It was left as it is.")
            .arg(path);
    case JournalProblem::Empty:
        return JournalTexts::tr("The recovery journal '%1' holds no text that can be restored. It was left as it is.")
            .arg(path);
    }
    return {};
}

} // namespace JournalReader
