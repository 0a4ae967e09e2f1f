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

    QMenu* file = addMenu(bar, "mnuFile", MainMenu::tr("&File"));
    m.mnuFileNew = addItem(file, "mnuFileNew", MainMenu::tr("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
    m.mnuFileOpen = addItem(file, "mnuFileOpen", MainMenu::tr("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    m.mnuFileSave = addItem(file, "mnuFileSave", MainMenu::tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m.mnuFileSaveAs = addItem(file, "mnuFileSaveAs", MainMenu::tr("Save &As..."));
    m.mnuFileExit = addItem(file, "mnuFileExit", MainMenu::tr("E&xit"));

    QMenu* edit = addMenu(bar, "mnuEdit", MainMenu::tr("&Edit"));
    m.mnuEditCut = addItem(edit, "mnuEditCut", MainMenu::tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    m.mnuEditCopy = addItem(edit, "mnuEditCopy", MainMenu::tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m.mnuEditPaste = addItem(edit, "mnuEditPaste", MainMenu::tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    // The platform's other keys for these commands (Shift+Insert, ...) run them as well,
    // so the text boxes never cut, copy or paste on their own.
    addAlternateKeys(m.mnuEditCut, QKeySequence::Cut);
    addAlternateKeys(m.mnuEditCopy, QKeySequence::Copy);
    addAlternateKeys(m.mnuEditPaste, QKeySequence::Paste);
    addSeparator(edit, "mnuEditSep1");
    m.mnuEditSelectAll = addItem(edit, "mnuEditSelectAll", MainMenu::tr("Select &All"),
                                 QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(edit, "mnuEditSep2");
    m.mnuEditFind = addItem(edit, "mnuEditFind", MainMenu::tr("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    m.mnuEditFindNext = addItem(edit, "mnuEditFindNext", MainMenu::tr("Find &Next"), QKeySequence(Qt::Key_F3));
    m.mnuEditFindPrevious = addItem(edit, "mnuEditFindPrevious", MainMenu::tr("Find Pre&vious"),
                                    QKeySequence(Qt::SHIFT | Qt::Key_F3));
    m.mnuEditReplace =
        addItem(edit, "mnuEditReplace", MainMenu::tr("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu* format = addMenu(bar, "mnuFormat", MainMenu::tr("&Format"));
    m.mnuFormatWordWrap = addCheckItem(format, "mnuFormatWordWrap", MainMenu::tr("&Wordwrap"), true);
    m.mnuFormatProportionalFont =
        addCheckItem(format, "mnuFormatProportionalFont", MainMenu::tr("&Proportional Font"), false);
    m.mnuFormatHighlightMatches =
        addCheckItem(format, "mnuFormatHighlightMatches", MainMenu::tr("&Highlight Matches"), true);
    m.mnuFormatGroupColours = addCheckItem(format, "mnuFormatGroupColours", MainMenu::tr("&Group Colours"), true);
    m.mnuFormatGroupColoursEveryMatch = addCheckItem(format, "mnuFormatGroupColoursEveryMatch",
                                                     MainMenu::tr("Group Colours in &Every Match"), false);

    QMenu* options = addMenu(bar, "mnuOptions", MainMenu::tr("&Options"));
    m.mnuOptionsShowSyntax = addCheckItem(options, "mnuOptionsShowSyntax", MainMenu::tr("&Show Syntax"), true);
    addSeparator(options, "mnuOptionsSeparator");
    m.mnuOptionsSaveToINI =
        addCheckItem(options, "mnuOptionsSaveToINI", MainMenu::tr("Save Settings to &INI File"), true);
    m.mnuOptionsSaveToRegistry =
        addCheckItem(options, "mnuOptionsSaveToRegistry", MainMenu::tr("Save Settings to &Registry"), false);
    addSeparator(options, "mnuOptionsJournalSeparator");
    m.mnuOptionsRecoveryJournal =
        addCheckItem(options, "mnuOptionsRecoveryJournal", MainMenu::tr("&Keep Unsaved Text for Recovery"), true);

    QMenu* tools = addMenu(bar, "mnuTools", MainMenu::tr("&Tools"));
    m.mnuToolsReplaceAndFindNext = addItem(tools, "mnuToolsReplaceAndFindNext", MainMenu::tr("Replace and Find &Next"),
                                           QKeySequence(Qt::CTRL | Qt::Key_R));
    m.mnuToolsUseSelectionAsPattern =
        addItem(tools, "mnuToolsUseSelectionAsPattern", MainMenu::tr("&Use Selection as Pattern"));
    m.mnuToolsSearchInSelection =
        addCheckItem(tools, "mnuToolsSearchInSelection", MainMenu::tr("Search in &Selection"), false);
    m.mnuToolsCaseConversion =
        addCheckItem(tools, "mnuToolsCaseConversion", MainMenu::tr("&Case Conversion in Replacements"), false);
    addSeparator(tools, "mnuToolsSep1");
    m.mnuToolsMatchesWindow = addCheckItem(tools, "mnuToolsMatchesWindow", MainMenu::tr("&Matches Window"), false);
    m.mnuToolsMatchesWindow->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    m.mnuToolsPreviewReplaceAll = addItem(tools, "mnuToolsPreviewReplaceAll", MainMenu::tr("Pre&view Replace All..."),
                                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H));
    m.mnuToolsExplainPattern = addCheckItem(tools, "mnuToolsExplainPattern", MainMenu::tr("&Explain Pattern"), false);
    m.mnuToolsExplainPattern->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    m.mnuToolsTestCases = addCheckItem(tools, "mnuToolsTestCases", MainMenu::tr("&Test Cases"), false);
    m.mnuToolsTestCases->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m.mnuToolsDebugPattern = addItem(tools, "mnuToolsDebugPattern", MainMenu::tr("&Debug Pattern"),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));

    QMenu* help = addMenu(bar, "mnuHelp", MainMenu::tr("&Help"));
    m.mnuHelpAbout = addItem(help, "mnuHelpAbout", MainMenu::tr("&About..."));
    return m;
}
