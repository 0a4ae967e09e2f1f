#pragma once

#include <QObject>

#include <optional>

class QLineEdit;

/// Past this many characters a line edit's cursor stays steady: the length a line edit is
/// made for, its own default limit.
inline constexpr qsizetype kSteadyCursorLength = 32767;

/// Keeps the cursor of box steady instead of blinking while box has the focus and holds more
/// than maxLength characters. Each blink repaints the box, and a line edit lays out and draws
/// its whole text for every paint: for a pasted pattern of a megabyte that takes over 100 ms,
/// twice a second, for as long as the pattern stays. The blink rate belongs to the whole
/// application, so it is set to none only while such a box has the focus, when no other
/// text box shows a cursor, and given back when the box loses the focus or the long text.
class SteadyCursor : public QObject {
    Q_OBJECT
public:
    /// box must outlive this object, which it parents; its focus proxy must not change.
    explicit SteadyCursor(QLineEdit& box, qsizetype maxLength = kSteadyCursorLength);
    /// Gives the blink rate back.
    ~SteadyCursor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update(bool focused);

    QLineEdit& mBox;
    qsizetype mMaxLength;
    /// The application's blink rate while it is set to none.
    std::optional<int> mFlashTime;
};
