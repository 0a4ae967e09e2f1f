#include "explain/frmExplain.h"

#include "debugger/StepProfile.h"
#include "regex/PatternExplanation.h"
#include "window/AccessibleCaption.h"
#include "window/WindowFit.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kOffsetRole = Qt::UserRole;
constexpr int kLengthRole = Qt::UserRole + 1;
constexpr int kStepsColumn = 2;

/// A part of the pattern as its cell shows it: a space as "·", so that a part that is a
/// space, which an empty-looking cell would hide, is seen.
QString shownPart(QString part)
{
    return part.replace(u' ', QChar(0x00B7));
}

} // namespace

frmExplain::frmExplain(QWidget* parent)
    : QWidget(parent, Qt::Tool), mMessage(new QLabel(this)), mPlace(new QLabel(this)), mSteps(new QLabel(this)),
      mCountSteps(new QPushButton(tr("Count &Steps"), this)), mParts(new QTreeWidget(this))
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
    mSteps->setObjectName(u"lblSteps"_s);
    mSteps->setWordWrap(true);
    mCountSteps->setObjectName(u"cmdCountSteps"_s);
    mCountSteps->setToolTip(tr("Counts the steps the engine takes on each part of the pattern, on the Search Text"));
    describeControl(mCountSteps, mCountSteps->text(), mCountSteps->toolTip());
    mSteps->setAccessibleDescription(tr("How many steps the engine took on the Search Text"));
    connect(mCountSteps, &QPushButton::clicked, this, &frmExplain::stepCountRequested);
    mParts->setObjectName(u"tvwParts"_s);
    mParts->setColumnCount(3);
    mParts->setHeaderLabels({tr("Part"), tr("Meaning"), tr("Steps")});
    mParts->setColumnHidden(kStepsColumn, true);
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
    auto* steps = new QHBoxLayout;
    steps->addWidget(mSteps, 1);
    steps->addWidget(mCountSteps);
    layout->addLayout(steps);
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
    mParts->setColumnHidden(kStepsColumn, true);
    mSteps->clear();
    mCountSteps->setEnabled(!explanation.error && !pattern.isEmpty());
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

void frmExplain::setStepProfile(const StepProfile& profile)
{
    const quint64 hottest = profile.hottest();
    std::function<void(QTreeWidgetItem*)> paint = [&](QTreeWidgetItem* item) {
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            const qsizetype offset = child->data(0, kOffsetRole).toLongLong();
            const quint64 steps = offset < 0 ? 0 : profile.stepsWithin(offset, child->data(0, kLengthRole).toLongLong());
            child->setText(kStepsColumn, QString::number(steps));
            child->setTextAlignment(kStepsColumn, Qt::AlignRight | Qt::AlignVCenter);
            const QColor heat = QColor::fromRgb(heatRgb(steps, hottest));
            child->setBackground(0, heat);
            child->setForeground(0, QColor(Qt::black));
            paint(child);
        }
    };
    paint(mParts->invisibleRootItem());
    mParts->setColumnHidden(kStepsColumn, false);
    mParts->resizeColumnToContents(kStepsColumn);
    mSteps->setText(tr("Steps: %1").arg(profile.summary()));
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
