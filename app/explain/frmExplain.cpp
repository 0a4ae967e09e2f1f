#include "explain/frmExplain.h"

#include "app/WindowFit.h"
#include "search/PatternExplanation.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kOffsetRole = Qt::UserRole;
constexpr int kLengthRole = Qt::UserRole + 1;

/// A part of the pattern as its cell shows it: a space as "·", so that a part that is a
/// space, which an empty-looking cell would hide, is seen.
QString shownPart(QString part)
{
    return part.replace(u' ', QChar(0x00B7));
}

} // namespace

frmExplain::frmExplain(QWidget* parent)
    : QWidget(parent, Qt::Tool), mMessage(new QLabel(this)), mPlace(new QLabel(this)), mParts(new QTreeWidget(this))
{
    setObjectName(u"frmExplain"_s);
    setWindowTitle(tr("Explain Pattern"));
    mMessage->setObjectName(u"lblMessage"_s);
    mMessage->setWordWrap(true);
    mMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mPlace->setObjectName(u"lblPlace"_s);
    mPlace->setTextFormat(Qt::RichText);
    mPlace->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    mPlace->setWordWrap(true);
    mParts->setObjectName(u"tvwParts"_s);
    mParts->setColumnCount(2);
    mParts->setHeaderLabels({tr("Part"), tr("Meaning")});
    mParts->setAccessibleName(tr("Parts of the pattern"));
    mParts->setAccessibleDescription(tr("Each part of the pattern with what it matches"));
    mParts->setAlternatingRowColors(true);
    // Meanings are shown whole, with a scroll bar when the window is narrower than the longest.
    mParts->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    mParts->header()->setStretchLastSection(false);
    connect(mParts, &QTreeWidget::currentItemChanged, this, &frmExplain::tvwParts_CurrentItemChanged);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mMessage);
    layout->addWidget(mPlace);
    layout->addWidget(mParts, 1);
    resize(640, 480);
    // A remembered place may be off a smaller or more highly scaled screen.
    keepOnScreen(this);
    setPattern(QString(), false);
}

void frmExplain::setPattern(const QString& pattern, bool ignoreCase)
{
    if (mExplained && pattern == mPattern && ignoreCase == mIgnoreCase)
        return;
    mExplained = true;
    mPattern = pattern;
    mIgnoreCase = ignoreCase;
    const PatternExplanation explanation = explainPattern(pattern, ignoreCase);
    // Filling the tree selects nothing in the pattern box, where the user may be typing.
    const QSignalBlocker blocker(mParts);
    mParts->clear();
    addItems(mParts->invisibleRootItem(), explanation.parts);
    mParts->expandAll();
    // The parts in full where they fit, leaving the meanings at least half the window.
    mParts->resizeColumnToContents(0);
    mParts->setColumnWidth(0, std::min(mParts->columnWidth(0), width() / 2));
    if (explanation.error) {
        mMessage->setText(explanation.errorText);
        const ExplanationNode& error = explanation.parts.front();
        showPlace(error.offset, error.length);
    } else {
        mMessage->setText(pattern.isEmpty() ? tr("The pattern is empty: it matches at every position.")
                                            : tr("Selecting a part selects it in the pattern box."));
        showPlace(-1, 0);
    }
}

int frmExplain::preferredWidth() const
{
    const QMargins margins = layout()->contentsMargins();
    const QAbstractItemView* view = mParts;
    const int tree = view->sizeHintForColumn(0) + view->sizeHintForColumn(1) + 2 * mParts->frameWidth()
        + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return margins.left() + tree + margins.right();
}

void frmExplain::addItems(QTreeWidgetItem* parent, const std::vector<ExplanationNode>& nodes)
{
    for (const ExplanationNode& node : nodes) {
        auto* item = new QTreeWidgetItem(parent);
        item->setText(0, node.offset < 0 ? QString() : shownPart(mPattern.mid(node.offset, node.length)));
        item->setFont(0, mPlace->font());
        item->setText(1, node.description);
        item->setToolTip(1, node.description);
        item->setData(0, kOffsetRole, node.offset);
        item->setData(0, kLengthRole, node.length);
        addItems(item, node.children);
    }
}

/// Shows the pattern with the error's place marked, or nothing when there is no place.
void frmExplain::showPlace(qsizetype offset, qsizetype length)
{
    mPlace->setVisible(offset >= 0);
    if (offset < 0) {
        mPlace->clear();
        return;
    }
    const QString marked = length > 0 ? mPattern.mid(offset, length).toHtmlEscaped() : u"&nbsp;"_s;
    mPlace->setText(mPattern.left(offset).toHtmlEscaped()
                    + u"<span style=\"background-color:#c62828; color:#ffffff; font-weight:bold\">"_s + marked
                    + u"</span>"_s + mPattern.mid(offset + length).toHtmlEscaped());
}

void frmExplain::tvwParts_CurrentItemChanged(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const qsizetype offset = item->data(0, kOffsetRole).toLongLong();
    if (offset >= 0)
        emit partSelected(offset, item->data(0, kLengthRole).toLongLong());
}

void frmExplain::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

void frmExplain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
