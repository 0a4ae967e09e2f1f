#include "debugger/StepListView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

StepListView::StepListView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void StepListView::setRows(qsizetype count, RowSource source)
{
    mCount = std::min<qsizetype>(count, INT_MAX);
    mSource = std::move(source);
    mCurrent = -1;
    updateScrollBar();
    verticalScrollBar()->setValue(0);
    setCurrentRow(0);
    viewport()->update();
}

int StepListView::rowHeight() const { return fontMetrics().height() + 2; }

int StepListView::visibleRows() const { return std::max(1, viewport()->height() / rowHeight()); }

qsizetype StepListView::firstVisible() const { return verticalScrollBar()->value(); }

void StepListView::updateScrollBar()
{
    const int page = visibleRows();
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, int(std::max<qsizetype>(0, mCount - page)));
}

void StepListView::setCurrentRow(qsizetype row)
{
    if (mCount == 0) {
        mCurrent = -1;
        return;
    }
    row = std::clamp<qsizetype>(row, 0, mCount - 1);
    if (row < firstVisible())
        verticalScrollBar()->setValue(int(row));
    else if (row >= firstVisible() + visibleRows())
        verticalScrollBar()->setValue(int(row - visibleRows() + 1));
    if (row == mCurrent)
        return;
    mCurrent = row;
    viewport()->update();
    emit currentRowChanged(row);
}

void StepListView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int height = rowHeight();
    const qsizetype first = firstVisible();
    const QPalette& colours = palette();
    for (int i = 0; i <= visibleRows() && first + i < mCount; ++i) {
        const qsizetype row = first + i;
        const Row shown = mSource(row);
        const QRect rect(0, i * height, viewport()->width(), height);
        if (row == mCurrent) {
            painter.fillRect(rect, colours.highlight());
            painter.setPen(colours.highlightedText().color());
        } else {
            painter.setPen(shown.marked ? QColor(180, 30, 30) : colours.text().color());
        }
        painter.drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, shown.text);
    }
}

void StepListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up: setCurrentRow(mCurrent - 1); break;
    case Qt::Key_Down: setCurrentRow(mCurrent + 1); break;
    case Qt::Key_PageUp: setCurrentRow(mCurrent - visibleRows()); break;
    case Qt::Key_PageDown: setCurrentRow(mCurrent + visibleRows()); break;
    case Qt::Key_Home: setCurrentRow(0); break;
    case Qt::Key_End: setCurrentRow(mCount - 1); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}

void StepListView::mousePressEvent(QMouseEvent* event)
{
    const qsizetype row = firstVisible() + event->position().toPoint().y() / rowHeight();
    if (row < mCount)
        setCurrentRow(row);
}

void StepListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}
