#include "app/frmSiftaControls.h"

#include "window/AccessibleCaption.h"
#include "window/MultiLineBox.h"
#include "window/StatusLine.h"
#include "window/SteadyCursor.h"
#include "window/SyntaxText.h"
#include "textex/FontFaces.h"
#include "textex/PropertyBag.h"
#include "textex/StdFont.h"
#include "textex/TextEx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>


#include <limits>

namespace {

const QString kFixedFace = QStringLiteral("Lucida Console");
constexpr double kFixedPoints = 9;

template <typename Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption)
{
    return named(new QLabel(caption, parent), name);
}

QFrame* frame(QWidget* parent, const char* name)
{
    QFrame* frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip = {})
{
    QPushButton* button = named(new QPushButton(caption, parent), name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

MultiLineBox* textBox(QWidget* parent, const char* name, bool bothScrollBars, bool readOnly)
{
    MultiLineBox* box = named(new MultiLineBox(parent), name);
    box->setFont(windowsFont(kFixedFace, kFixedPoints));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (bothScrollBars) {
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    if (readOnly) {
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setFocusPolicy(Qt::StrongFocus);
    }
    return box;
}

/// The stored design properties of the Search Text box.
PropertyBag documentProperties()
{
    StdFont font;
    font.setName(QStringLiteral("MS Sans Serif"));
    font.setSize(8.25);
    font.setWeight(400);
    font.setCharset(0);

    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("MultiLine"), true, false);
    bag.WriteProperty(QStringLiteral("Text"), QString(), QStringLiteral("txtDocument"));
    bag.WriteProperty(QStringLiteral("Font"), font.toVariant());
    bag.WriteProperty(QStringLiteral("OLEDropMode"), 1, 0);
    return bag;
}

/// Names every control for screen readers after its caption, or after its label's, and says
/// what the controls whose caption is not enough are for. The labels whose text changes (the
/// status, "Sub-Matches (n)") keep their text as their name, so that a change of the text is a
/// change of the name, which is announced.
void describeControls(const frmSiftaControls& c)
{
    for (QLabel* caption : {c.lblSearchText, c.Label1, c.Label2, c.Label3})
        describeControl(caption, caption->text(), caption->toolTip());
    describeControl(c.txtDocument->hwnd(), c.lblSearchText->text(),
             frmSiftaControls::tr("The text to search and edit"));
    describeControl(c.cboPattern, c.Label1->text(),
             frmSiftaControls::tr("The pattern to search for; the list holds the patterns searched for before"));
    describeControl(c.txtReplace, c.Label2->text(), c.Label2->toolTip());
    describeControl(c.txtSubMatches, c.lblSubMatches->text(), frmSiftaControls::tr("The groups of the selected match"));
    describeControl(c.txtSyntax, c.Label3->text(), frmSiftaControls::tr("A summary of the pattern syntax"));
    c.lblMatchNo->setAccessibleDescription(frmSiftaControls::tr("Which match is selected, of how many"));
    c.lblCursor->setAccessibleDescription(frmSiftaControls::tr("Where the caret is, and how long the text is"));
    describeControl(c.chkIgnoreCase, c.chkIgnoreCase->text(), c.chkIgnoreCase->toolTip());
    describeControl(c.cmdFind, c.cmdFind->text(), frmSiftaControls::tr("Select the next match after the caret"));
    describeControl(c.cmdFindPrev, c.cmdFindPrev->text(), frmSiftaControls::tr("Select the match before the caret"));
    describeControl(c.cmdReplace, c.cmdReplace->text(), c.cmdReplace->toolTip());
    describeControl(c.cmdReplaceAll, c.cmdReplaceAll->text(), c.cmdReplaceAll->toolTip());
    describeControl(c.cmdUndo, c.cmdUndo->text(), frmSiftaControls::tr("Undo the last replacement"));
}

} // namespace

frmSiftaControls buildControls(QWidget* inner)
{
    frmSiftaControls c;

    c.lblSearchText = label(inner, "lblSearchText", frmSiftaControls::tr("&Search Text"));
    c.lblCursor = label(inner, "lblCursor", statusLineText(0, 0, 0));
    c.lblCursor->setAlignment(Qt::AlignRight | Qt::AlignTop);

    c.txtDocument = named(new TextEx(inner), "txtDocument");
    const std::optional<PropertyError> loadError = c.txtDocument->ReadProperties(documentProperties());
    Q_ASSERT(!loadError);

    c.fraControls = frame(inner, "fraControls");
    c.Label1 = label(c.fraControls, "Label1", frmSiftaControls::tr("Regular &Expression"));
    c.lblMatchNo = label(c.fraControls, "lblMatchNo", frmSiftaControls::tr("Match x of y"));
    c.lblMatchNo->setAlignment(Qt::AlignRight | Qt::AlignTop);

    c.cboPattern = named(new QComboBox(c.fraControls), "cboPattern");
    c.cboPattern->setEditable(true);
    // The history changes only through searches, never by Enter in the edit field, and the
    // edit field completes nothing on its own.
    c.cboPattern->setInsertPolicy(QComboBox::NoInsert);
    c.cboPattern->setCompleter(nullptr);
    // A pasted or remembered pattern stays whole: the edit field's own limit of 32,767
    // characters would cut it silently, and the search would look for something else.
    c.cboPattern->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    new SteadyCursor(*c.cboPattern->lineEdit());
    c.cboPattern->setFont(windowsFont(kFixedFace, kFixedPoints));

    c.Label2 = label(c.fraControls, "Label2", frmSiftaControls::tr("Replace &With"));
    c.Label2->setToolTip(frmSiftaControls::tr(
        "Enter plain text. For Replace All you may also use the Replace All Syntax listed in the "
        "syntax pane; no other regular expression syntax is understood here."));
    c.txtReplace = textBox(c.fraControls, "txtReplace", false, false);

    c.lblSubMatches = label(c.fraControls, "lblSubMatches", frmSiftaControls::tr("Sub-&Matches"));
    c.txtSubMatches = textBox(c.fraControls, "txtSubMatches", true, true);

    c.Label4 = label(c.fraControls, "Label4",
                     frmSiftaControls::tr("Use <Ctrl>-Enter for new line and <Ctrl>-Tab for tab character."));
    c.Label4->setTextFormat(Qt::PlainText);
    c.Label4->setWordWrap(true);
    c.Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    c.chkIgnoreCase = named(new QCheckBox(frmSiftaControls::tr("&Ignore Case"), c.fraControls), "chkIgnoreCase");
    c.chkIgnoreCase->setToolTip(
        frmSiftaControls::tr("Regular Expression will match regardless of capitalization."));

    c.fraButtons = frame(c.fraControls, "fraButtons");
    c.cmdFind = button(c.fraButtons, "cmdFind", frmSiftaControls::tr("&Find Next"));
    c.cmdFindPrev = button(c.fraButtons, "cmdFindPrev", frmSiftaControls::tr("Find &Previous"));
    c.cmdReplace = button(c.fraButtons, "cmdReplace", frmSiftaControls::tr("&Replace"),
                          frmSiftaControls::tr("Replace the currently selected text with the Replace With text"));
    c.cmdReplaceAll = button(
        c.fraButtons, "cmdReplaceAll", frmSiftaControls::tr("Replace &All"),
        frmSiftaControls::tr("Replace all matches to the Regular Expression with the Replace With text."));
    c.cmdUndo = button(c.fraButtons, "cmdUndo", frmSiftaControls::tr("&Undo"));

    c.fraSyntax = frame(inner, "fraSyntax");
    c.Label3 = label(c.fraSyntax, "Label3", frmSiftaControls::tr("Regular Expression S&yntax"));
    c.txtSyntax = textBox(c.fraSyntax, "txtSyntax", true, true);
    c.txtSyntax->setText(syntaxText());

    describeControls(c);

    // A label's access key moves the focus to its buddy, the next control in tab order
    // that takes the focus.
    c.lblSearchText->setBuddy(c.cboPattern);
    c.Label1->setBuddy(c.cboPattern);
    c.Label2->setBuddy(c.txtReplace);
    c.lblSubMatches->setBuddy(c.txtSubMatches);
    c.Label3->setBuddy(c.cmdFindPrev);

    // The Search Text box takes the focus in its inner editor.
    c.tabOrder = {c.cboPattern, c.txtReplace,    c.chkIgnoreCase, c.txtSubMatches,
                  c.cmdFind,    c.cmdReplace,    c.cmdReplaceAll, c.cmdUndo,
                  c.txtDocument->hwnd(),         c.txtSyntax,     c.cmdFindPrev};
    c.accessKeyControls = {c.lblSearchText, c.Label1,        c.Label2,        c.lblSubMatches,
                           c.Label3,        c.chkIgnoreCase, c.cmdFind,       c.cmdFindPrev,
                           c.cmdReplace,    c.cmdReplaceAll, c.cmdUndo};
    return c;
}
