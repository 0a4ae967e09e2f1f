#pragma once

#include <QCoreApplication>

class QAction;
class QMenuBar;

/// The items of the main window's menu bar; each QAction carries its item name as objectName.
struct MainMenu {
    Q_DECLARE_TR_FUNCTIONS(MainMenu)

public:
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuEditCut = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuEditPaste = nullptr;
    QAction* mnuEditSelectAll = nullptr;
    QAction* mnuEditFind = nullptr;
    QAction* mnuEditFindNext = nullptr;
    QAction* mnuEditFindPrevious = nullptr;
    QAction* mnuEditReplace = nullptr;
    QAction* mnuFormatWordWrap = nullptr;
    QAction* mnuFormatProportionalFont = nullptr;
    QAction* mnuFormatHighlightMatches = nullptr;
    QAction* mnuFormatGroupColours = nullptr;
    QAction* mnuFormatGroupColoursEveryMatch = nullptr;
    QAction* mnuOptionsShowSyntax = nullptr;
    QAction* mnuOptionsSaveToINI = nullptr;
    QAction* mnuOptionsSaveToRegistry = nullptr;
    QAction* mnuOptionsRecoveryJournal = nullptr;
    QAction* mnuToolsReplaceAndFindNext = nullptr;
    QAction* mnuToolsUseSelectionAsPattern = nullptr;
    QAction* mnuToolsSearchInSelection = nullptr;
    QAction* mnuToolsCaseConversion = nullptr;
    QAction* mnuToolsMatchesWindow = nullptr;
    QAction* mnuToolsPreviewReplaceAll = nullptr;
    QAction* mnuToolsExplainPattern = nullptr;
    QAction* mnuToolsTestCases = nullptr;
    QAction* mnuToolsDebugPattern = nullptr;
    QAction* mnuHelpAbout = nullptr;
};

/// Fills `bar` with the File, Edit, Format, Options, Tools and Help menus, with their captions,
/// shortcut keys (Cut, Copy and Paste also answer to the platform's other keys for them) and the check marks they have before any option is applied: word wrap
/// on, proportional font off, matches highlighted with group colours in the selected match only,
/// syntax pane shown, settings in the INI file, Search in Selection and case conversion off,
/// Matches and Test Cases windows closed.
MainMenu buildMainMenu(QMenuBar* bar);
