#pragma once

#include "matches/MatchListModel.h"
#include "search/ReplacePreview.h"

/// What Replace All is about to do, a row per replacement: its number, line and column, the
/// matched text (Before) and the text that replaces it (After), both on one line and cut to
/// a cell's length. Each replacement is worked out when its row is shown.
class ReplacePreviewModel : public MatchListModel {
    Q_OBJECT
public:
    /// The columns after the number, line and column.
    enum Column : int { BeforeColumn = ColumnColumn + 1, AfterColumn, ColumnCount };

    using MatchListModel::MatchListModel;

    void setPreview(const ReplacePreview& preview);
    const ReplacePreview& preview() const { return mPreview; }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    ReplacePreview mPreview;
};
