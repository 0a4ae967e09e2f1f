#include "matches/ReplacePreviewModel.h"

#include "matches/CellText.h"

void ReplacePreviewModel::setPreview(const ReplacePreview& preview)
{
    mPreview = preview;
    resetMatches(preview.matches(), preview.firstReplaced(), preview.Count());
}

int ReplacePreviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReplacePreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return alignment(column < BeforeColumn);
    if (role != Qt::DisplayRole)
        return {};

    const int i = index.row();
    switch (column) {
    case NumberColumn:
    case LineColumn:
    case ColumnColumn:
        return leadingData(i, column);
    case BeforeColumn:
        return valueText(i);
    default:
        // One code unit more than a cell shows, so that a longer text is seen to be cut.
        return cellText(mPreview.replacementFor(i, kCellTextLimit + 1));
    }
}

QVariant ReplacePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kTitles[ColumnCount] = {
        QT_TR_NOOP("Match"), QT_TR_NOOP("Line"), QT_TR_NOOP("Column"), QT_TR_NOOP("Before"), QT_TR_NOOP("After")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return tr(kTitles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
