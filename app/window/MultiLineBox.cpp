#include "window/MultiLineBox.h"

#include "textex/GroupColours.h"

#include <QKeyEvent>
#include <QTextBlock>

MultiLineBox::MultiLineBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

QString MultiLineBox::text() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void MultiLineBox::setText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setPlainText(plain);
}

void MultiLineBox::setLineColours(const QList<QColor>& colours)
{
    QList<QTextEdit::ExtraSelection> tints;
    const QColor base = palette().color(QPalette::Base);
    QTextBlock block = document()->firstBlock();
    for (qsizetype line = 0; line < colours.size() && block.isValid(); ++line, block = block.next()) {
        if (!colours[line].isValid())
            continue;
        QTextEdit::ExtraSelection tint;
        tint.cursor = QTextCursor(block);
        tint.format.setBackground(tintOver(base, colours[line], 0.3));
        tint.format.setProperty(QTextFormat::FullWidthSelection, true);
        tints.append(tint);
    }
    setExtraSelections(tints);
}

void MultiLineBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!isReadOnly() && enter && (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier
                                   || modifiers == Qt::ShiftModifier)) {
        // Shift+Enter would otherwise insert a Unicode line separator instead of a line break.
        insertPlainText(QStringLiteral("\n"));
        event->accept();
        return;
    }
    if (!isReadOnly() && event->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\t"));
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
