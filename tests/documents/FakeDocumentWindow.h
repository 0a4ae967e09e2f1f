#pragma once

#include "documents/DocumentCaption.h"
#include "documents/DocumentWindow.h"

#include <QStringList>

#include <limits>

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
    /// The encoding the window shows.
    TextFormat format;

    /// The longest text the document holds, counted in UTF-16 code units here.
    qint64 capacity = std::numeric_limits<qint64>::max();

    QString documentText() const override { return text; }
    bool setDocumentText(const QString& sText) override
    {
        if (sText.size() > capacity)
            return false;
        text = sText;
        setDirty(true);
        return true;
    }
    qint64 documentCapacity() const override { return capacity; }
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
