#include "textex/EmptyMarkBars.h"

#include "textex/Utf16Positions.h"

#include <Qsci/qsciscintilla.h>

#include <QEvent>
#include <QPainter>

namespace {

const QColor kMarkerColor(230, 120, 0);
constexpr int kMarkerWidth = 2;

} // namespace

EmptyMarkBars::EmptyMarkBars(QsciScintilla& editor) : QWidget(editor.viewport()), mEditor(editor)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(editor.viewport()->rect());
    editor.viewport()->installEventFilter(this);
    raise();
    show();
}

void EmptyMarkBars::setPositions(std::vector<qsizetype> positions)
{
    mPositions = std::move(positions);
    update();
}

bool EmptyMarkBars::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mEditor.viewport() && event->type() == QEvent::Resize)
        setGeometry(mEditor.viewport()->rect());
    return QWidget::eventFilter(watched, event);
}

void EmptyMarkBars::paintEvent(QPaintEvent*)
{
    if (mPositions.empty())
        return;
    QPainter painter(this);
    const Utf16Positions positions(mEditor);
    const QRect area = rect();
    for (const qsizetype position : mPositions) {
        const long bytes = positions.toBytes(static_cast<long>(position));
        const long x = mEditor.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, bytes);
        const long y = mEditor.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, bytes);
        const long line = mEditor.SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(bytes));
        const long height = mEditor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, static_cast<unsigned long>(line));
        const QRect bar(static_cast<int>(x) - kMarkerWidth / 2, static_cast<int>(y), kMarkerWidth, static_cast<int>(height));
        if (bar.intersects(area))
            painter.fillRect(bar, kMarkerColor);
    }
}
