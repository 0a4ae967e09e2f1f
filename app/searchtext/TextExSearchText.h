#pragma once

#include "searchtext/SearchText.h"

#include <QObject>

class BusyRunner;
class TextEx;

/// The Search Text of the main window, over its TextEx control and the window's busy runner.
/// What the window shows around the text (a notice while a very long line is laid out, the
/// count of matches in the marked range, live matching held during busy work) follows the
/// signals.
class TextExSearchText : public QObject, public ISearchText {
    Q_OBJECT
public:
    /// document and busy must outlive the adapter.
    TextExSearchText(TextEx& document, BusyRunner& busy, QObject* parent = nullptr);

    QString documentText() const override;
    bool setDocumentText(const QString& sText) override;
    std::optional<QByteArray> swapDocumentUtf8(const QByteArray& utf8) override;
    qint64 documentCapacity() const override;
    QString newLineSequence() const override;
    qsizetype selStart() const override;
    qsizetype selLength() const override;
    void setSelection(qsizetype start, qsizetype length) override;
    bool replaceSelection(const QString& sText) override;
    void focusDocument() override;
    std::optional<TextRange> searchRange() const override;
    void setSearchRange(const std::optional<TextRange>& range) override;
    bool runBusy(const QString& sLabel, const std::function<void(const std::atomic_bool& cancel)>& work) override;

signals:
    /// A text whose longest line is longest code units, more than the editor lays out quickly,
    /// is about to be written: the window waits a while.
    void longLineWriting(qsizetype longest);
    /// The text with a very long line was written (true) or refused.
    void longLineWritten(bool written);
    /// The range marked for Search in Selection was set or removed.
    void searchRangeChanged();
    /// Busy work starts (true) or has ended (false).
    void busyChanged(bool busy);

private:
    TextEx& mDocument;
    BusyRunner& mBusy;
};
