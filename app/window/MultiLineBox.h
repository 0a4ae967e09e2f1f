#pragma once

#include <QPlainTextEdit>

/// A multi-line text box whose text reads and writes with CR LF line breaks.
/// Enter and Ctrl+Enter insert a line break, Tab moves the focus on, Ctrl+Tab inserts
/// a tab character.
class MultiLineBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MultiLineBox(QWidget* parent = nullptr);

    /// The text with every line break as CR LF.
    QString text() const;
    /// Replaces the whole text; CR LF, CR and LF each make one line break.
    void setText(const QString& text);
    /// Tints line i (from 0) behind its text, across the box's width, with colours[i]; an
    /// invalid colour, or a line past the list, keeps the plain background.
    void setLineColours(const QList<QColor>& colours);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
