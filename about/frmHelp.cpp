#include "about/frmHelp.h"

#include "about/DesktopLinkOpener.h"
#include "about/HelpTexts.h"
#include "platform/MessageBox.h"
#include "platform/PointerPosition.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The window's design width, 7635 twips at 15 twips a pixel.
constexpr int kClientWidth = 509;
constexpr int kMargin = 8;
constexpr int kHoverInterval = 100;

// The about window while it is open; Help, About brings this one back instead of a second.
QPointer<frmHelp> gAboutWindow;

} // namespace

frmHelp::frmHelp(std::unique_ptr<ILinkOpener> opener, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , mOpener(std::move(opener))
    , tmrURL(new QTimer(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Help"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);

    auto* header = new QHBoxLayout;
    lblVersion = addLabel("lblVersion", tr("Version"));
    header->addWidget(lblVersion, 1);
    header->addWidget(addLink(0));
    lblURL[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addLayout(header);

    layout->addWidget(addLabel("Label1", tr(HelpTexts::kIntroduction)));
    // These two links size themselves to their text, so that only the text is a link.
    layout->addWidget(addLink(1), 0, Qt::AlignLeft);
    layout->addWidget(addLink(2), 0, Qt::AlignLeft);
    layout->addSpacing(kMargin);
    layout->addWidget(addLabel("Label5", tr(HelpTexts::kSyntaxNote)));
    layout->addWidget(addLabel("Label7", tr(HelpTexts::kSearchText)));
    layout->addWidget(addLabel("Label8", tr(HelpTexts::kRegularExpression)));
    layout->addWidget(addLabel("Label4", tr(HelpTexts::kReplace)));
    layout->addWidget(addLabel("Label9", tr(HelpTexts::kIgnoreCase)));
    layout->addWidget(addLabel("Label10", tr(HelpTexts::kFormat)));
    layout->addWidget(addLabel("Label11", tr(HelpTexts::kOptions)));
    layout->setSpacing(kMargin);

    lblURL[1]->setText(HelpTexts::kSyntaxPage);
    lblURL[2]->setText(HelpTexts::kArticle);

    tmrURL->setObjectName(QStringLiteral("tmrURL"));
    tmrURL->setInterval(kHoverInterval);
    connect(tmrURL, &QTimer::timeout, this, &frmHelp::tmrURL_Timer);

    Form_Load();
    setFixedSize(kClientWidth, layout->totalHeightForWidth(kClientWidth));
    // The window opens with the focus on itself, so that no link looks chosen before Tab.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

frmHelp* frmHelp::showAbout(const QWidget* placeNear)
{
    if (!gAboutWindow) {
        gAboutWindow = new frmHelp(std::make_unique<DesktopLinkOpener>());
        gAboutWindow->setAttribute(Qt::WA_DeleteOnClose);
        if (placeNear)
            gAboutWindow->move(placeNear->frameGeometry().center() - gAboutWindow->rect().center());
    }
    gAboutWindow->show();
    gAboutWindow->raise();
    gAboutWindow->activateWindow();
    return gAboutWindow;
}

void frmHelp::Form_Load()
{
    const QString version = QString::number(SIFTA_VERSION_MAJOR) + QLatin1Char('.')
        + QString::number(SIFTA_VERSION_MINOR) + QLatin1Char('.') + QString::number(SIFTA_VERSION_PATCH);
    lblVersion->setText(tr("%1 version %2 %3").arg(kAppTitle, version, tr(HelpTexts::kComments)));
    lblURL[0]->setText(HelpTexts::kHomePage);
}

QLabel* frmHelp::addLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLabel* frmHelp::addLink(int Index)
{
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblURL%1").arg(Index));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    label->setPalette(palette);
    // Moves without a button held must reach the label too.
    label->setMouseTracking(true);
    // Tab reaches the links, and Enter or Space opens the one that has the focus.
    label->setFocusPolicy(Qt::StrongFocus);
    label->installEventFilter(this);
    lblURL[Index] = label;
    return label;
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event)
{
    const auto link = std::find(lblURL.begin(), lblURL.end(), watched);
    if (link == lblURL.end())
        return QWidget::eventFilter(watched, event);

    const int Index = int(link - lblURL.begin());
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        lblURL_MouseMove(Index);
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && (*link)->rect().contains(mouse->position().toPoint()))
            lblURL_Click(Index);
        break;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        // The link with the focus is underlined, as a link under the pointer is.
        setUnderlined(Index, event->type() == QEvent::FocusIn);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            lblURL_Click(Index);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmHelp::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmHelp::lblURL_Click(int Index)
{
    // A link that cannot be opened does nothing visible.
    mOpener->openLink(lblURL[Index]->text());
}

void frmHelp::lblURL_MouseMove(int Index)
{
    setLinkPointer(Qt::PointingHandCursor);
    setUnderlined(Index, true);
    tmrURL->start(kHoverInterval);
}

void frmHelp::tmrURL_Timer()
{
    // The pointer is read from the screen, so leaving the window altogether leaves every link.
    const int x = Tools::GetCursorX(this);
    const int y = Tools::GetCursorY(this);
    for (int Index = 0; Index < int(lblURL.size()); ++Index) {
        const QRect box(lblURL[Index]->mapTo(this, QPoint(0, 0)), lblURL[Index]->size());
        // A point on the box's right or bottom edge still counts as inside.
        const bool left = x < box.left() || x > box.left() + box.width() || y < box.top()
            || y > box.top() + box.height();
        if (left) {
            setUnderlined(Index, lblURL[Index]->hasFocus());
            setLinkPointer(Qt::ArrowCursor);
            tmrURL->stop();
        }
    }
}

void frmHelp::setLinkPointer(Qt::CursorShape shape)
{
    for (QLabel* link : lblURL)
        link->setCursor(shape);
}

void frmHelp::setUnderlined(int Index, bool underlined)
{
    QFont font = lblURL[Index]->font();
    font.setUnderline(underlined);
    lblURL[Index]->setFont(font);
}
