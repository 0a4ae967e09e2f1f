#pragma once

#include "live/HighlightRanges.h"

#include <QWidget>

#include <vector>

class QsciScintilla;

/// A transparent layer over an editor's text area that draws a thin bar at every
/// zero-length match, which an editor indicator cannot show (it needs a character to cover,
/// and there is none at a line end or at the end of the text).
class EmptyMatchMarkers : public QWidget {
    Q_OBJECT
public:
    explicit EmptyMatchMarkers(QsciScintilla& editor);

    /// The ranges of kind Empty among ranges are drawn.
    void setRanges(const std::vector<HighlightRange>& ranges);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QsciScintilla& mEditor;
    std::vector<qsizetype> mPositions;
};
