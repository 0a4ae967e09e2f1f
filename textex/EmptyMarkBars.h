#pragma once

#include <QWidget>

#include <vector>

class QsciScintilla;

/// A transparent layer over an editor's text area that draws a thin bar at each of a list
/// of positions, the empty marks, which an editor indicator cannot show (it needs a
/// character to cover, and there is none at a line end or at the end of the text).
class EmptyMarkBars : public QWidget {
    Q_OBJECT
public:
    explicit EmptyMarkBars(QsciScintilla& editor);

    /// The UTF-16 positions to draw a bar at.
    void setPositions(std::vector<qsizetype> positions);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QsciScintilla& mEditor;
    std::vector<qsizetype> mPositions;
};
