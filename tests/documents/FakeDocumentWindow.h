#pragma once

#include "documents/DocumentCaption.h"
#include "documents/DocumentWindow.h"
#include "support/FakeSearchText.h"

#include <QStringList>

#include <limits>

/// A document window without widgets that behaves like the main window: any change of
/// the text marks the document changed, and the caption is kept as the window builds it.
class FakeDocumentWindow final : public IDocumentWindow, public FakeSearchText {
public:
    QString name = kUntitled;
    bool dirty = false;
    QString caption = QStringLiteral("Siftwell");
    /// Every caption shown, in order.
    QStringList captions;
    /// The encoding the window shows.
    TextFormat format;

    bool setDocumentText(const QString& sText) override
    {
        if (!FakeSearchText::setDocumentText(sText))
            return false;
        setDirty(true);
        return true;
    }
    QString fileName() const override { return name; }
    void setFileName(const QString& sFileName) override { name = sFileName; }
    bool Dirty() const override { return dirty; }
    void setDirty(bool bValue) override
    {
        if (dirty == bValue)
            return;
        dirty = bValue;
        RefreshCaption();
    }
    void showFormat(const TextFormat& shown) override { format = shown; }
    void RefreshCaption() override
    {
        caption = documentCaption(name, dirty);
        captions.append(caption);
    }

    /// The user typing into the document.
    void type(const QString& sText)
    {
        text += sText;
        setDirty(true);
    }
};
