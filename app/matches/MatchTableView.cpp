#include "matches/MatchTableView.h"

#include "textex/FontFaces.h"

#include <QHeaderView>
#include <QLocale>
#include <QTableView>
#include <QThreadPool>

#include <algorithm>

namespace {

/// The cell's margins and the title's room for a sort mark, in pixels.
constexpr int kPadding = 16;

void fitColumn(QTableView* view, int column, int contentWidth)
{
    QHeaderView* header = view->horizontalHeader();
    const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
    header->resizeSection(column, std::max(header->fontMetrics().horizontalAdvance(title), contentWidth) + kPadding);
}

} // namespace

QThreadPool* newWindowPool(QWidget* window)
{
    auto* pool = new QThreadPool(window);
    pool->setMaxThreadCount(1);
    return pool;
}

QTableView* newMatchTableView(QWidget* parent, const char* name, QAbstractItemModel* model)
{
    auto* view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setFont(windowsFont(QStringLiteral("Lucida Console"), 9));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setWordWrap(false);
    view->setCornerButtonEnabled(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    return view;
}

void fitNumberColumn(QTableView* view, int column, qint64 largest)
{
    fitColumn(view, column, view->fontMetrics().horizontalAdvance(QLocale().toString(largest)));
}

void fitTextColumn(QTableView* view, int column, int characters)
{
    fitColumn(view, column, view->fontMetrics().horizontalAdvance(QLatin1Char('x')) * characters);
}
