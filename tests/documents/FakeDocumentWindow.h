#pragma once

#include "documents/DocumentCaption.h"
#include "documents/DocumentWindow.h"

#include <QStringList>

/// A document window without widgets that behaves like the main window: any change of
/// the text marks the document changed, and the caption is kept as the window builds it.
class FakeDocumentWindow final : public IDocumentWindow {
public:
    QString text;
    QString name = kUntitled;
    bool dirty = false;
    QString caption = QStringLiteral("Siftwell");
    /// Every caption shown, in order.
    QStringList captions;

    QString documentText() const override { return text; }
    void setDocumentText(const QString& sText) override
    {
        text = sText;
        setDirty(true);
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
    void RefreshCaption() override
    {
        caption = documentCaption(name, dirty);
        captions.append(caption);
    }

    bool runBusy(const QString&, const std::function<void(const std::atomic_bool&)>& work) override
    {
        const std::atomic_bool cancel = false;
        work(cancel);
        return true;
    }

    /// The user typing into the document.
    void type(const QString& sText)
    {
        text += sText;
        setDirty(true);
    }
};
