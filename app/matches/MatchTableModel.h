#pragma once

#include "matches/MatchListModel.h"

#include <QStringList>

/// Every match of the pattern as a table: number, line, column, index, length, value and one
/// column per group (matchHeaders()). Values show on one line, cut to a cell's length.
class MatchTableModel : public MatchListModel {
    Q_OBJECT
public:
    using MatchListModel::MatchListModel;

    /// Shows matches, every match of a search, in place of the ones before.
    void setMatches(const MatchCollection& matches);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList mHeaders = matchHeaders(0);
};
