#include "matches/frmMatches.h"

#include "window/StatusLine.h"
#include "window/WindowFit.h"
#include "busy/BusyRunner.h"
#include "matches/MatchTableModel.h"
#include "matches/MatchTableView.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QShowEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmMatches::frmMatches(IMessageBox& messages, IFileDialog& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), mPool(newWindowPool(this)), mPoolThreads(*mPool),
      mModel(new MatchTableModel(*mPool, this)), mBusy(new BusyRunner(*this, mPoolThreads)), mCommands(*this, messages, dialogs)
{
    setObjectName(QStringLiteral("frmMatches"));
    setWindowTitle(tr("Matches"));

    mCount = new QLabel(this);
    mCount->setObjectName(QStringLiteral("lblCount"));
    mCount->setTextFormat(Qt::PlainText);
    // A long error message takes more lines, never more width than the screen has.
    mCount->setWordWrap(true);

    mTable = newMatchTableView(this, "tblMatches", mModel);
    mTable->setAccessibleName(tr("Matches"));
    mTable->setAccessibleDescription(
        tr("Every match of the pattern; activating a row selects the match in the Search Text"));
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(mTable, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { emit matchActivated(mModel->matches(), index.row()); });

    auto* copy = new QAction(tr("&Copy"), mTable);
    copy->setObjectName(QStringLiteral("mnuCopy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &frmMatches::cmdCopy_Click);
    mTable->addAction(copy);
    mTable->setContextMenuPolicy(Qt::ActionsContextMenu);

    QPushButton* cmdCopy = button(this, "cmdCopy", tr("&Copy"));
    QPushButton* cmdExportCsv = button(this, "cmdExportCsv", tr("Export C&SV..."));
    QPushButton* cmdExportJson = button(this, "cmdExportJson", tr("Export &JSON Lines..."));
    connect(cmdCopy, &QPushButton::clicked, this, &frmMatches::cmdCopy_Click);
    connect(cmdExportCsv, &QPushButton::clicked, this,
            [this] { mCommands.Export(*mModel, MatchFileFormat::Csv); });
    connect(cmdExportJson, &QPushButton::clicked, this,
            [this] { mCommands.Export(*mModel, MatchFileFormat::JsonLines); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopy);
    buttons->addStretch();
    buttons->addWidget(cmdExportCsv);
    buttons->addWidget(cmdExportJson);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mCount);
    layout->addWidget(mTable, 1);
    layout->addLayout(buttons);

    resize(640, 360);
    // A remembered place may be off a smaller or more highly scaled screen.
    keepOnScreen(this);
    showCount();
    fitColumns();
}

frmMatches::~frmMatches() = default;

void frmMatches::setMatches(const MatchCollection& matches)
{
    mModel->setMatches(matches);
    // Widths the user set stay, until the columns or the size of their numbers change.
    const QList<qsizetype> shape{mModel->columnCount(), QString::number(mModel->rowCount()).size(),
                                 QString::number(matches.Text().size()).size()};
    if (shape != mFittedShape)
        fitColumns();
    showCount();
}

void frmMatches::setStatus(const PatternStatus& status)
{
    mStatus = status;
    showCount();
}

void frmMatches::showCount()
{
    switch (mStatus.state) {
    case PatternStatus::State::Invalid:
        mCount->setText(mStatus.message);
        break;
    case PatternStatus::State::Counting:
        mCount->setText(countingText());
        break;
    default:
        mCount->setText(matchCountText(mModel->rowCount()));
        break;
    }
}

void frmMatches::fitColumns()
{
    mFittedShape = {mModel->columnCount(), QString::number(mModel->rowCount()).size(),
                    QString::number(mModel->matches().Text().size()).size()};
    const qint64 count = mModel->rowCount();
    const qint64 length = mModel->matches().Text().size();
    fitNumberColumn(mTable, NumberColumn, count);
    for (const int column : {LineColumn, ColumnColumn, IndexColumn, LengthColumn})
        fitNumberColumn(mTable, column, length);
    fitTextColumn(mTable, ValueColumn, 24);
    for (int column = FirstGroupColumn; column < mModel->columnCount(); ++column)
        fitTextColumn(mTable, column, 12);
}

// Minimizing and restoring, which the window system does, leave the window open.
void frmMatches::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        emit visibilityChanged(true);
}

void frmMatches::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit visibilityChanged(false);
}

QList<RowRange> frmMatches::selectedRows() const
{
    QList<RowRange> rows;
    const QItemSelection selection = mTable->selectionModel()->selection();
    for (const QItemSelectionRange& range : selection)
        rows.append({range.top(), range.bottom()});
    std::sort(rows.begin(), rows.end(), [](const RowRange& a, const RowRange& b) { return a.first < b.first; });
    // Ranges of one row selected column by column, or overlapping, are merged.
    QList<RowRange> merged;
    for (const RowRange& range : rows) {
        if (!merged.isEmpty() && range.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, range.last);
        else
            merged.append(range);
    }
    return merged;
}

void frmMatches::cmdCopy_Click()
{
    mCommands.Copy(*mModel, selectedRows());
}

bool frmMatches::runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work)
{
    return mBusy->runToEnd(sLabel, work);
}

void frmMatches::setClipboardText(const QString& sText)
{
    QGuiApplication::clipboard()->setText(sText);
}
