#pragma once

#include "matches/LineIndex.h"
#include "matches/LineIndexLoader.h"
#include "matches/MatchRows.h"
#include "regex/MatchCollection.h"

#include <QAbstractTableModel>

#include <memory>

class QThreadPool;

/// A table with a row per match of a collection, whose first columns are the match's number,
/// line and column (NumberColumn, LineColumn, ColumnColumn). Rows are worked out only when
/// the view asks for them, so a million matches cost what a screen of them shows. Lines and
/// columns come from an index of the text built on a thread pool; until then they are blank.
class MatchListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// The line index is built on pool, which must outlive the model.
    explicit MatchListModel(QThreadPool& pool, QObject* parent = nullptr);

    const MatchCollection& matches() const { return mMatches; }
    /// The line index of the matches' text once built; null until then.
    const std::shared_ptr<const LineIndex>& lineIndex() const { return mLines; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

signals:
    /// The line index of the shown matches is there, and with it every line and column.
    void lineIndexReady();

protected:
    /// Shows count matches of matches from match first on (every match when count is
    /// negative); the table starts again.
    void resetMatches(const MatchCollection& matches, qsizetype first = 0, qsizetype count = -1);
    /// The match that row shows.
    Match rowMatch(int row) const { return mMatches.Item(mFirst + row); }
    /// What row shows in column (NumberColumn, LineColumn or ColumnColumn).
    QVariant leadingData(int row, int column) const;
    /// The matched text of row as a cell shows it.
    QString valueText(int row) const;
    /// Numbers line up on the right, texts on the left.
    static QVariant alignment(bool number);

private:
    LineIndexLoader mLoader;
    MatchCollection mMatches;
    qsizetype mFirst = 0;
    qsizetype mCount = 0;
    std::shared_ptr<const LineIndex> mLines;
};
