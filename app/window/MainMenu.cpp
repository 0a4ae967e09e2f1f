#include "window/MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = QKeySequence())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

QAction* addCheckItem(QMenu* menu, const char* name, const QString& caption, bool checked)
{
    QAction* action = addItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void addAlternateKeys(QAction* action, QKeySequence::StandardKey command)
{
    QList<QKeySequence> keys = {action->shortcut()};
    for (const QKeySequence& key : QKeySequence::keyBindings(command)) {
        if (!keys.contains(key))
            keys.append(key);
    }
    action->setShortcuts(keys);
}

void addSeparator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

} // namespace

MainMenu buildMainMenu(QMenuBar* bar)
{
    MainMenu m;

    QMenu* file = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    m.mnuFileNew = addItem(file, "mnuFileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    m.mnuFileOpen = addItem(file, "mnuFileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.mnuFileSave = addItem(file, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m.mnuFileSaveAs = addItem(file, "mnuFileSaveAs", QStringLiteral("Save &As..."));
    m.mnuFileExit = addItem(file, "mnuFileExit", QStringLiteral("E&xit"));

    QMenu* edit = addMenu(bar, "mnuEdit", QStringLiteral("&Edit"));
    m.mnuEditCut = addItem(edit, "mnuEditCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m.mnuEditCopy = addItem(edit, "mnuEditCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m.mnuEditPaste = addItem(edit, "mnuEditPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    // The platform's other keys for these commands (Shift+Insert, ...) run them as well,
    // so the text boxes never cut, copy or paste on their own.
    addAlternateKeys(m.mnuEditCut, QKeySequence::Cut);
    addAlternateKeys(m.mnuEditCopy, QKeySequence::Copy);
    addAlternateKeys(m.mnuEditPaste, QKeySequence::Paste);
    addSeparator(edit, "mnuEditSep1");
    m.mnuEditSelectAll = addItem(edit, "mnuEditSelectAll", QStringLiteral("Select &All"),
                                 QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(edit, "mnuEditSep2");
    m.mnuEditFind = addItem(edit, "mnuEditFind", QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    m.mnuEditFindNext = addItem(edit, "mnuEditFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3));
    m.mnuEditFindPrevious = addItem(edit, "mnuEditFindPrevious", QStringLiteral("Find Pre&vious"),
                                    QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m.mnuEditReplace =
        addItem(edit, "mnuEditReplace", QStringLiteral("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu* format = addMenu(bar, "mnuFormat", QStringLiteral("&Format"));
    m.mnuFormatWordWrap = addCheckItem(format, "mnuFormatWordWrap", QStringLiteral("&Wordwrap"), true);
    m.mnuFormatProportionalFont =
        addCheckItem(format, "mnuFormatProportionalFont", QStringLiteral("&Proportional Font"), false);
    m.mnuFormatHighlightMatches =
        addCheckItem(format, "mnuFormatHighlightMatches", QStringLiteral("&Highlight Matches"), true);
    m.mnuFormatGroupColours = addCheckItem(format, "mnuFormatGroupColours", QStringLiteral("&Group Colours"), true);
    m.mnuFormatGroupColoursEveryMatch = addCheckItem(format, "mnuFormatGroupColoursEveryMatch",
                                                     QStringLiteral("Group Colours in &Every Match"), false);

    QMenu* options = addMenu(bar, "mnuOptions", QStringLiteral("&Options"));
    m.mnuOptionsShowSyntax = addCheckItem(options, "mnuOptionsShowSyntax", QStringLiteral("&Show Syntax"), true);
    addSeparator(options, "mnuOptionsSeparator");
    m.mnuOptionsSaveToINI =
        addCheckItem(options, "mnuOptionsSaveToINI", QStringLiteral("Save Settings to &INI File"), true);
    m.mnuOptionsSaveToRegistry =
        addCheckItem(options, "mnuOptionsSaveToRegistry", QStringLiteral("Save Settings to &Registry"), false);
    addSeparator(options, "mnuOptionsJournalSeparator");
    m.mnuOptionsRecoveryJournal =
        addCheckItem(options, "mnuOptionsRecoveryJournal", QStringLiteral("&Keep Unsaved Text for Recovery"), true);

    QMenu* tools = addMenu(bar, "mnuTools", QStringLiteral("&Tools"));
    m.mnuToolsReplaceAndFindNext = addItem(tools, "mnuToolsReplaceAndFindNext", QStringLiteral("Replace and Find &Next"),
                                           QKeySequence(Qt::CTRL | Qt::Key_R));
    m.mnuToolsUseSelectionAsPattern =
        addItem(tools, "mnuToolsUseSelectionAsPattern", QStringLiteral("&Use Selection as Pattern"));
    m.mnuToolsSearchInSelection =
        addCheckItem(tools, "mnuToolsSearchInSelection", QStringLiteral("Search in &Selection"), false);
    m.mnuToolsCaseConversion =
        addCheckItem(tools, "mnuToolsCaseConversion", QStringLiteral("&Case Conversion in Replacements"), false);
    addSeparator(tools, "mnuToolsSep1");
    m.mnuToolsMatchesWindow = addCheckItem(tools, "mnuToolsMatchesWindow", QStringLiteral("&Matches Window"), false);
    m.mnuToolsMatchesWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    m.mnuToolsPreviewReplaceAll = addItem(tools, "mnuToolsPreviewReplaceAll", QStringLiteral("Pre&view Replace All..."),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    m.mnuToolsExplainPattern = addCheckItem(tools, "mnuToolsExplainPattern", QStringLiteral("&Explain Pattern"), false);
    m.mnuToolsExplainPattern->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m.mnuToolsTestCases = addCheckItem(tools, "mnuToolsTestCases", QStringLiteral("&Test Cases"), false);
    m.mnuToolsTestCases->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m.mnuToolsDebugPattern = addItem(tools, "mnuToolsDebugPattern", QStringLiteral("&Debug Pattern"),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));

    QMenu* help = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    m.mnuHelpAbout = addItem(help, "mnuHelpAbout", QStringLiteral("&About..."));
    return m;
}
