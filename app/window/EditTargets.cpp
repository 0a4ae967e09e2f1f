#include "window/EditTargets.h"

#include "search/LineBreaks.h"
#include "textex/TextEx.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace {

class TextExTarget final : public EditTarget {
public:
    explicit TextExTarget(TextEx* box) : mBox(box) {}

    QString kind() const override { return QStringLiteral("TextEx"); }
    int selLength() const override { return mBox->SelLength(); }
    QString selText() const override { return mBox->SelText(); }
    bool setSelText(const QString& text) override
    {
        // The document keeps one line-break convention, whatever the clipboard holds.
        mBox->setSelText(withLineBreaks(text, mBox->NewLineSequence()));
        return true;
    }
    void selectAll() override
    {
        mBox->setSelStart(0);
        mBox->setSelLength(mBox->Text().size());
    }

private:
    TextEx* mBox;
};

class LineEditTarget final : public EditTarget {
public:
    LineEditTarget(QLineEdit* edit, QString kind) : mEdit(edit), mKind(std::move(kind)) {}

    QString kind() const override { return mKind; }
    int selLength() const override { return static_cast<int>(mEdit->selectedText().size()); }
    QString selText() const override { return mEdit->selectedText(); }
    bool setSelText(const QString& text) override
    {
        if (mEdit->isReadOnly())
            return false;
        mEdit->insert(text);
        return true;
    }
    void selectAll() override { mEdit->setSelection(0, static_cast<int>(mEdit->text().size())); }

private:
    QLineEdit* mEdit;
    QString mKind;
};

/// A plain or rich multi-line box; its texts read with CR LF line breaks.
template <typename Box>
class TextBoxTarget final : public EditTarget {
public:
    TextBoxTarget(Box* box, QString kind) : mBox(box), mKind(std::move(kind)) {}

    QString kind() const override { return mKind; }
    int selLength() const override { return static_cast<int>(selText().size()); }
    QString selText() const override
    {
        QString text = mBox->textCursor().selection().toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return text;
    }
    bool setSelText(const QString& text) override
    {
        if (mBox->isReadOnly())
            return false;
        mBox->textCursor().insertText(withLineBreaks(text, QStringLiteral("\n")));
        mBox->ensureCursorVisible();
        return true;
    }
    void selectAll() override { mBox->selectAll(); }

private:
    Box* mBox;
    QString mKind;
};

template <typename Widget>
Widget* enclosing(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* match = qobject_cast<Widget*>(w))
            return match;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<EditTarget> editTargetFor(QWidget* focus)
{
    if (!focus)
        return nullptr;
    if (TextEx* document = enclosing<TextEx>(focus))
        return std::make_unique<TextExTarget>(document);
    if (auto* combo = qobject_cast<QComboBox*>(focus->parentWidget()); combo && combo->lineEdit() == focus)
        return std::make_unique<LineEditTarget>(combo->lineEdit(), QStringLiteral("ComboBox"));
    if (auto* combo = qobject_cast<QComboBox*>(focus); combo && combo->lineEdit())
        return std::make_unique<LineEditTarget>(combo->lineEdit(), QStringLiteral("ComboBox"));
    if (auto* edit = qobject_cast<QLineEdit*>(focus))
        return std::make_unique<LineEditTarget>(edit, QStringLiteral("TextBox"));
    if (auto* box = qobject_cast<QPlainTextEdit*>(focus))
        return std::make_unique<TextBoxTarget<QPlainTextEdit>>(box, QStringLiteral("TextBox"));
    if (auto* box = qobject_cast<QTextEdit*>(focus))
        return std::make_unique<TextBoxTarget<QTextEdit>>(box, QStringLiteral("RichTextBox"));
    return nullptr;
}
