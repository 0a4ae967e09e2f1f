#pragma once

#include <QCoreApplication>
#include <QString>

// What the about window says, translated where it shows it, and where its links go.
namespace HelpTexts {

/// Ends the version line, after the version numbers.
inline const char* const kComments = QT_TRANSLATE_NOOP("frmHelp", "(built with Qt and PCRE2)");

/// The home page of the library that matches the patterns.
inline const QString kHomePage = QStringLiteral("https://www.pcre.org/");
/// A reference of the VBScript pattern syntax.
inline const QString kSyntaxPage =
    QStringLiteral("https://learn.microsoft.com/en-us/previous-versions/1400241x(v=vs.80)");
/// An encyclopaedia article on regular expressions.
inline const QString kArticle = QStringLiteral("https://en.wikipedia.org/wiki/Regular_expression");

inline const char* const kIntroduction = QT_TRANSLATE_NOOP("frmHelp", "Sifta searches and optionally replaces text using regular expressions, which it "
                                                                      "matches with the PCRE2 library in the VBScript regular-expression syntax. Regular "
                                                                      "expressions search for patterns rather than just specific text. See the following "
                                                                      "for regular expression documentation:");

inline const char* const kSyntaxNote = QT_TRANSLATE_NOOP("frmHelp", "Different regular expression implementations use varying syntax. The syntax that "
                                                                    "Sifta allows is shown in its main window. Use the Options menu to show or hide the "
                                                                    "syntax.");

inline const char* const kSearchText = QT_TRANSLATE_NOOP("frmHelp", "Enter the text to search in the Search Text box. Use the File menu to open existing "
                                                                    "files or save to a file, or drag and drop a file into the Search Text to replace the "
                                                                    "search text with the file's contents. You will be prompted to save if the current "
                                                                    "text has not been saved. To enter a tab character, press Ctrl-Tab.");

inline const char* const kRegularExpression = QT_TRANSLATE_NOOP("frmHelp", "Enter the text to search for in the Regular Expression field. Click Find Next to find "
                                                                           "the next match or Find Previous to find the previous one. Searching starts at the "
                                                                           "current cursor location in the Search Text. If the beginning or end of the text is "
                                                                           "reached, the search wraps around. The number of matches will be listed above the Find "
                                                                           "button. ");

inline const char* const kReplace = QT_TRANSLATE_NOOP("frmHelp", "Click Replace to replace the selected text in the Search Text box with the text in the "
                                                                 "Replace With box. Use Ctrl-Enter to add a new line to the Replace text, or Ctrl-Tab to "
                                                                 "add a tab character. Click Replace All to replace all matches with the replace text. "
                                                                 "When using Replace All, the Replace text may contain special syntax. See the Replace "
                                                                 "All Syntax at the bottom of the Regular Expression Syntax documentation pane (Options "
                                                                 "menu | Show Syntax). If the regular expression uses submatches, they will be shown in "
                                                                 "the Sub-Matches list.");

inline const char* const kIgnoreCase = QT_TRANSLATE_NOOP("frmHelp", "Regular expressions are case-sensitive unless the Ignore Case checkbox is selected.");

inline const char* const kFormat = QT_TRANSLATE_NOOP("frmHelp", "The Format menu allows word-wrap mode to be enabled or disabled. Also the font can be "
                                                                "toggled between Lucida Sans (proportional) and Lucida Console (fixed width) to line up "
                                                                "columns of text.");

inline const char* const kOptions = QT_TRANSLATE_NOOP("frmHelp", "The current options are saved to an INI file in the program directory by default. The "
                                                                 "Options menu allows saving to the registry or not saving settings.");

} // namespace HelpTexts
