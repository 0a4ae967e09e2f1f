#pragma once

#include <QAbstractScrollArea>

#include <functional>

/// A list of as many rows as a trace has steps, millions of them, that lays out and paints
/// only the rows in view: rows of one height, their text asked for as they are painted.
/// One row is current; the keys and the mouse move it. The scroll bar's value is the first
/// row in view, so up to INT_MAX rows are shown.
class StepListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    /// The text of a row, and whether it is marked (a backtrack).
    struct Row {
        QString text;
        bool marked = false;
    };
    using RowSource = std::function<Row(qsizetype row)>;

    explicit StepListView(QWidget* parent = nullptr);

    /// Shows count rows from source; the current row goes to the first (none when empty).
    void setRows(qsizetype count, RowSource source);
    qsizetype rowCount() const { return mCount; }
    /// The current row, -1 for none.
    qsizetype currentRow() const { return mCurrent; }
    /// Makes row current (clamped to the rows) and scrolls it into view.
    void setCurrentRow(qsizetype row);
    /// The rows that fit in the view.
    int visibleRows() const;

signals:
    void currentRowChanged(qsizetype row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int rowHeight() const;
    qsizetype firstVisible() const;
    void updateScrollBar();

    qsizetype mCount = 0;
    qsizetype mCurrent = -1;
    RowSource mSource;
};
