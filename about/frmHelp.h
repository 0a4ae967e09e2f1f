#pragma once

#include "about/LinkOpener.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QTimer;

/// The about window: usage notes, the version line and three links. A link is
/// underlined with a hand pointer while the pointer moves over it; the hover timer
/// `tmrURL` takes the underline off again once the pointer has left the link. Tab
/// reaches the links (the one with the focus is underlined too), Enter or Space opens
/// it, and Escape closes the window.
/// Object names: `lblVersion`, `lblURL0` to `lblURL2`, `Label1` ... `Label11`, `tmrURL`.
class frmHelp : public QWidget {
    Q_OBJECT

public:
    explicit frmHelp(std::unique_ptr<ILinkOpener> opener, QWidget* parent = nullptr);

    /// Shows the one about window and returns it. The first call, and the first after the
    /// window was closed, creates it centred on `placeNear` when given; while it is open it
    /// is only brought to the front. It has no owner, so it outlives `placeNear`.
    static frmHelp* showAbout(const QWidget* placeNear = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void lblURL_Click(int Index);
    void lblURL_MouseMove(int Index);
    void tmrURL_Timer();

    QLabel* addLabel(const char* name, const QString& text);
    QLabel* addLink(int Index);
    void setLinkPointer(Qt::CursorShape shape);
    void setUnderlined(int Index, bool underlined);

    std::unique_ptr<ILinkOpener> mOpener;
    QLabel* lblVersion;
    std::array<QLabel*, 3> lblURL{};
    QTimer* tmrURL;
};
