#include "matches/MatchTableModel.h"

#include "matches/CellText.h"

void MatchTableModel::setMatches(const MatchCollection& matches)
{
    mHeaders = matchHeaders(matches.GroupCount());
    resetMatches(matches);
}

int MatchTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mHeaders.size());
}

QVariant MatchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return alignment(column < ValueColumn);
    if (role != Qt::DisplayRole)
        return {};

    const Match match = rowMatch(index.row());
    const QStringView text(matches().Text());
    switch (column) {
    case NumberColumn:
    case LineColumn:
    case ColumnColumn:
        return leadingData(index.row(), column);
    case IndexColumn:
        return qlonglong(match.FirstIndex());
    case LengthColumn:
        return qlonglong(match.Length());
    case ValueColumn:
        return valueText(index.row());
    default: {
        const SubMatches groups = match.SubMatches();
        const int group = column - FirstGroupColumn;
        const qsizetype start = groups.FirstIndex(group);
        return start < 0 ? QString() : cellText(text.sliced(start, groups.Length(group)));
    }
    }
}

QVariant MatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < mHeaders.size())
        return mHeaders.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
