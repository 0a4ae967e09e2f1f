#pragma once

#include <QtGlobal>

class QAbstractItemModel;
class QTableView;
class QThreadPool;
class QWidget;

/// A pool of one thread owned by window, for the window's own work off its thread: counting
/// lines, copying, exporting. Qt's global pool helps paint and must not be held up.
QThreadPool* newWindowPool(QWidget* window);

/// A table view for a model with a row per match: whole rows selected, one line of the
/// sub-match list's font per row, so that the view never measures a row, and no row titles
/// (the model numbers its rows itself).
QTableView* newMatchTableView(QWidget* parent, const char* name, QAbstractItemModel* model);

/// Makes column wide enough for its title and for numbers up to largest, grouped.
void fitNumberColumn(QTableView* view, int column, qint64 largest);
/// Makes column wide enough for its title and for about characters characters of text.
void fitTextColumn(QTableView* view, int column, int characters);
