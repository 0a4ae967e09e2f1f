#include "debugger/frmDebugger.h"

#include "debugger/LatestRun.h"
#include "debugger/StepListView.h"
#include "debugger/StepTrace.h"
#include "regex/RegExpErrorText.h"
#include "translations/CountText.h"
#include "window/AccessibleCaption.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

/// Code units of the text shown on each side of the step's position.
constexpr qsizetype kTextContext = 40;
constexpr int kProgressMsec = 200;
/// Code units of a group's text shown at most.
constexpr qsizetype kGroupShown = 200;

const QString kMarkStyle = u"<span style=\"background-color:#ffd54f; color:#000000; font-weight:bold\">"_s;

/// text with its stretch offset..offset + length marked, as HTML, line breaks and spaces
/// shown as signs; an empty stretch is marked as a thin bar.
QString marked(const QString& text, qsizetype offset, qsizetype length)
{
    const auto plain = [](QString part) {
        return part.replace(u'\r', QChar(0x240D)).replace(u'\n', QChar(0x240A)).replace(u' ', QChar(0x00B7)).toHtmlEscaped();
    };
    const QString inside = length > 0 ? plain(text.mid(offset, length)) : QString(QChar(0x2502));
    return plain(text.left(offset)) + kMarkStyle + inside + u"</span>"_s + plain(text.mid(offset + length));
}

} // namespace

frmDebugger::frmDebugger(IWorkThreads& threads, QWidget* parent)
    : QWidget(parent, Qt::Tool), mRun(new LatestRun(threads, this)), mPattern(new QLabel(this)),
      mText(new QLabel(this)), mGroups(new QLabel(this)), mStatus(new QLabel(this)), mSteps(new StepListView(this)),
      mBack(new QPushButton(tr("&Back"), this)), mForward(new QPushButton(tr("&Forward"), this)),
      mNextBacktrack(new QPushButton(tr("Next Back&track"), this)), mStep(new QSpinBox(this)),
      mGo(new QPushButton(tr("&Go"), this)), mProgressTimer(new QTimer(this)),
      mMaxSteps(StepTrace::kDefaultMaxSteps)
{
    setObjectName(u"frmDebugger"_s);
    setWindowTitle(tr("Debug Pattern"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel* label : {mPattern, mText}) {
        label->setTextFormat(Qt::RichText);
        label->setFont(fixed);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    mPattern->setObjectName(u"lblPattern"_s);
    mText->setObjectName(u"lblText"_s);
    mGroups->setObjectName(u"lblGroups"_s);
    mGroups->setWordWrap(true);
    mGroups->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mStatus->setObjectName(u"lblStatus"_s);
    mStatus->setWordWrap(true);
    mSteps->setObjectName(u"lstSteps"_s);
    mSteps->setFont(fixed);
    mBack->setObjectName(u"cmdBack"_s);
    mForward->setObjectName(u"cmdForward"_s);
    mNextBacktrack->setObjectName(u"cmdNextBacktrack"_s);
    mStep->setObjectName(u"spnStep"_s);
    mGo->setObjectName(u"cmdGo"_s);
    auto* stepLabel = new QLabel(tr("&Step:"), this);
    stepLabel->setBuddy(mStep);

    // The labels that show the step keep their text as their name, so that a screen reader
    // reads what they show; what they are for is their description.
    mPattern->setAccessibleDescription(tr("The pattern, with the part that the selected step tries marked"));
    mText->setAccessibleDescription(tr("The text around the position of the selected step, which is marked"));
    mGroups->setAccessibleDescription(tr("What each group holds at the selected step"));
    mStatus->setAccessibleDescription(tr("How many steps the engine took, and how the run ended"));
    describeControl(mSteps, tr("Steps"),
                    tr("Every step of the engine: its number, the position in the text, the part of the pattern it "
                       "tries, and whether it starts anew or backtracks"));
    describeControl(mBack, mBack->text(), tr("Select the step before"));
    describeControl(mForward, mForward->text(), tr("Select the step after"));
    describeControl(mNextBacktrack, mNextBacktrack->text(), tr("Select the next step at which the engine backtracks"));
    describeControl(mStep, stepLabel->text(), tr("The number of the step that Go selects"));
    describeControl(mGo, mGo->text(), tr("Select the step of that number"));

    auto* places = new QGridLayout;
    places->addWidget(new QLabel(tr("Pattern:"), this), 0, 0);
    places->addWidget(mPattern, 0, 1);
    places->addWidget(new QLabel(tr("Text:"), this), 1, 0);
    places->addWidget(mText, 1, 1);
    places->addWidget(new QLabel(tr("Groups:"), this), 2, 0, Qt::AlignTop);
    places->addWidget(mGroups, 2, 1);
    places->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mBack);
    buttons->addWidget(mForward);
    buttons->addWidget(mNextBacktrack);
    buttons->addStretch();
    buttons->addWidget(stepLabel);
    buttons->addWidget(mStep);
    buttons->addWidget(mGo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(places);
    layout->addWidget(mStatus);
    layout->addWidget(mSteps, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    connect(mSteps, &StepListView::currentRowChanged, this, &frmDebugger::showStep);
    connect(mBack, &QPushButton::clicked, this, [this] { setCurrentStep(currentStep() - 1); });
    connect(mForward, &QPushButton::clicked, this, [this] { setCurrentStep(currentStep() + 1); });
    connect(mNextBacktrack, &QPushButton::clicked, this, [this] {
        if (mTrace)
            if (const qsizetype next = mTrace->nextBacktrack(currentStep()); next >= 0)
                setCurrentStep(next);
    });
    connect(mGo, &QPushButton::clicked, this, [this] { setCurrentStep(mStep->value() - 1); });
    mProgressTimer->setInterval(kProgressMsec);
    connect(mProgressTimer, &QTimer::timeout, this, &frmDebugger::showProgress);
    showTrace(nullptr);
}

frmDebugger::~frmDebugger() = default;

void frmDebugger::debug(const QString& pattern, bool ignoreCase, const QString& text, qsizetype first, qsizetype last)
{
    showTrace(nullptr);
    mPattern->setText(marked(pattern, 0, 0));
    auto progress = std::make_shared<std::atomic<qsizetype>>(0);
    mProgress = progress;
    showProgress();
    mProgressTimer->start();
    using Traced = RegExpResult<std::shared_ptr<const StepTrace>>;
    mRun->start<Traced>(
        [pattern, ignoreCase, text, first, last, maxSteps = mMaxSteps, progress](const std::atomic_bool& cancel) -> Traced {
            RegExpResult<TracedPattern> compiled = TracedPattern::compile(pattern, ignoreCase);
            if (!compiled)
                return compiled.error();
            return StepTrace::record(std::make_shared<const TracedPattern>(std::move(compiled).value()), text, first,
                                     last, maxSteps, &cancel, [&progress](qsizetype steps) { progress->store(steps); });
        },
        [this](const Traced& result) {
            mProgressTimer->stop();
            if (result.ok())
                showTrace(result.value());
            else
                mStatus->setText(regExpErrorText(result.error()));
            emit traced();
        });
}

void frmDebugger::showProgress()
{
    mStatus->setText(tr("Computing steps... %1").arg(mProgress ? mProgress->load() : 0));
}

void frmDebugger::showTrace(const std::shared_ptr<const StepTrace>& trace)
{
    mRun->cancel();
    mProgressTimer->stop();
    mTrace = trace;
    const qsizetype count = trace ? trace->size() : 0;
    for (QWidget* control : std::initializer_list<QWidget*>{mBack, mForward, mNextBacktrack, mStep, mGo})
        control->setEnabled(count > 0);
    mStep->setRange(count > 0 ? 1 : 0, int(count));
    mText->clear();
    mGroups->clear();
    mStatus->setText(trace ? outcomeText() : QString());
    mSteps->setRows(count, [this](qsizetype row) {
        const TraceStep step = mTrace->at(row);
        const TracedPart part = mTrace->pattern().parts()[std::size_t(step.part)];
        QString text = tr("%1  at %2  %3").arg(row + 1, 9).arg(step.position, 6)
                           .arg(step.part == TracedPattern::kEndPart ? tr("(match)")
                                                                     : mTrace->pattern().pattern().mid(part.offset, part.length));
        if (step.newStart)
            text += u"  "_s + tr("new start");
        if (step.backtrack)
            text += u"  "_s + tr("backtrack");
        return StepListView::Row{text, step.backtrack};
    });
    if (count == 0)
        showStep(-1);
}

QString frmDebugger::outcomeText() const
{
    const TraceOutcome& outcome = mTrace->outcome();
    // Step numbers are written plainly, as the list of steps writes them.
    const QLocale plain = QLocale::c();
    const QString steps = countText(QT_TRANSLATE_N_NOOP("Count", "%1 step(s)"), mTrace->size(), plain);
    switch (outcome.end) {
    case TraceOutcome::End::Matched:
        return tr("%1; a match from %2 to %3.").arg(steps).arg(outcome.matchStart).arg(outcome.matchEnd);
    case TraceOutcome::End::NoMatch:
        return tr("%1; no match.").arg(steps);
    case TraceOutcome::End::Stopped:
        return mTrace->cancelled()
            ? tr("%1; stopped.").arg(steps)
            : countText(QT_TRANSLATE_N_NOOP("Count", "The first %1 step(s); the engine goes on beyond them."),
                        mTrace->size(), plain);
    case TraceOutcome::End::Failed:
        return tr("%1; %2").arg(steps, regExpErrorText(*outcome.error));
    }
    return steps;
}

qsizetype frmDebugger::currentStep() const
{
    return mTrace ? mSteps->currentRow() : -1;
}

void frmDebugger::setCurrentStep(qsizetype step)
{
    mSteps->setCurrentRow(step);
}

void frmDebugger::showStep(qsizetype step)
{
    if (!mTrace || step < 0) {
        mPattern->setText(mTrace ? marked(mTrace->pattern().pattern(), 0, 0) : mPattern->text());
        return;
    }
    const TraceStep shown = mTrace->at(step);
    const TracedPart part = mTrace->pattern().parts()[std::size_t(shown.part)];
    mPattern->setText(marked(mTrace->pattern().pattern(), part.offset, part.length));
    const QString& text = mTrace->text();
    const qsizetype from = std::max<qsizetype>(0, shown.position - kTextContext);
    const qsizetype to = std::min(text.size(), shown.position + kTextContext);
    const qsizetype length = shown.position < text.size() ? 1 : 0;
    mText->setText(marked(text.mid(from, to - from), shown.position - from, length));
    QStringList groups;
    int j = 1;
    for (const auto& [start, end] : mTrace->groupsAt(step)) {
        groups << (start < 0 ? tr("%1: none").arg(j) : tr("%1: \"%2\" (%3 to %4)").arg(j).arg(text.mid(start, std::min<qsizetype>(end - start, kGroupShown))).arg(start).arg(end));
        ++j;
    }
    mGroups->setText(groups.isEmpty() ? tr("The pattern has no groups.") : groups.join(u'\n'));
    const QSignalBlocker blocker(mStep);
    mStep->setValue(int(step + 1));
}

void frmDebugger::closeEvent(QCloseEvent* event)
{
    mRun->cancel();
    mProgressTimer->stop();
    QWidget::closeEvent(event);
    emit closed();
}

void frmDebugger::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
