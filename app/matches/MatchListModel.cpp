#include "matches/MatchListModel.h"

#include "matches/CellText.h"

MatchListModel::MatchListModel(QThreadPool& pool, QObject* parent) : QAbstractTableModel(parent), mLoader(pool)
{
    connect(&mLoader, &LineIndexLoader::ready, this, [this](const std::shared_ptr<const LineIndex>& lines) {
        mLines = lines;
        if (rowCount() > 0)
            emit dataChanged(index(0, LineColumn), index(rowCount() - 1, ColumnColumn), {Qt::DisplayRole});
        emit lineIndexReady();
    });
}

int MatchListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mCount);
}

void MatchListModel::resetMatches(const MatchCollection& matches, qsizetype first, qsizetype count)
{
    beginResetModel();
    mMatches = matches;
    mFirst = first;
    mCount = count < 0 ? matches.Count() : count;
    mLoader.request(matches.Text());
    mLines = mLoader.index();
    endResetModel();
}

QVariant MatchListModel::leadingData(int row, int column) const
{
    if (column == NumberColumn)
        return qlonglong(row) + 1;
    if (!mLines)
        return {};
    const TextPlace place = mLines->place(rowMatch(row).FirstIndex());
    return qlonglong(column == LineColumn ? place.line : place.column);
}

QString MatchListModel::valueText(int row) const
{
    const Match match = rowMatch(row);
    return cellText(QStringView(mMatches.Text()).sliced(match.FirstIndex(), match.Length()));
}

QVariant MatchListModel::alignment(bool number)
{
    return QVariant::fromValue(number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}
