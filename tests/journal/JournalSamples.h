#pragma once

#include "journal/JournalRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// A journal built record by record, with the text and state after each record, for tests
/// that cut or damage it.
struct SampleJournal {
    QByteArray bytes;
    /// Where each record starts in bytes; the header ends where the first starts.
    QList<qsizetype> recordStarts;
    /// The text and the state after each record.
    QList<QString> texts;
    QList<JournalState> states;

    void snapshot(const JournalState& state, const QString& text)
    {
        add(JournalRecord::snapshotRecord(next(), 1000, state, text.toUtf8()), text, state);
    }
    void edit(qint64 position, qint64 removed, const QString& inserted)
    {
        QString text = texts.last();
        text.replace(position, removed, inserted);
        add(JournalRecord::editRecord(next(), 2000, position, removed, inserted.toUtf8()), text, states.last());
    }
    void state(const JournalState& state) { add(JournalRecord::stateRecord(next(), 3000, state), texts.last(), state); }

    /// An untitled document with a few edits, the last a state: pattern and selection.
    static SampleJournal typical()
    {
        SampleJournal journal;
        JournalState state;
        state.fileName = QStringLiteral("Untitled");
        state.dirty = true;
        journal.snapshot(state, QStringLiteral("first line\r\nsecond line"));
        journal.edit(5, 0, QStringLiteral(" typed é"));
        journal.edit(0, 5, QString());
        journal.edit(3, 2, QStringLiteral("𝄞\r\n"));
        state.pattern = QStringLiteral("\\w+");
        state.selStart = 2;
        state.selLength = 3;
        journal.state(state);
        return journal;
    }

private:
    quint64 next() const { return quint64(recordStarts.size()) + 1; }
    void add(const QByteArray& record, const QString& text, const JournalState& state)
    {
        if (bytes.isEmpty())
            bytes = JournalRecord::header();
        recordStarts.append(bytes.size());
        bytes += record;
        texts.append(text);
        states.append(state);
    }
};
