#include "documents/CommandLine.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void documentFile_data();
    void documentFile();
};

void TestCommandLine::documentFile_data()
{
    using Action = CommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("named"); // the argument a refusal names

    const Action open = Action::OpenWindow;
    QTest::newRow("no argument") << QStringList{u"sifta"_s} << open << QString() << QString();
    QTest::newRow("empty argument") << QStringList{u"sifta"_s, QString()} << open << QString() << QString();
    QTest::newRow("absolute path kept") << QStringList{u"sifta"_s, u"/texts/notes.txt"_s} << open
                                        << u"/texts/notes.txt"_s << QString();
    QTest::newRow("relative path from the current folder")
        << QStringList{u"sifta"_s, u"notes.txt"_s} << open << u"/home/user/notes.txt"_s << QString();
    QTest::newRow("relative path with a folder")
        << QStringList{u"sifta"_s, u"texts/notes.txt"_s} << open << u"/home/user/texts/notes.txt"_s << QString();
    QTest::newRow("second FILE refused, not ignored")
        << QStringList{u"sifta"_s, u"a.txt"_s, u"b.txt"_s} << Action::Refuse << QString() << u"b.txt"_s;
    QTest::newRow("--help") << QStringList{u"sifta"_s, u"--help"_s} << Action::ShowHelp << QString() << QString();
    QTest::newRow("-h") << QStringList{u"sifta"_s, u"-h"_s} << Action::ShowHelp << QString() << QString();
    QTest::newRow("--help after a file")
        << QStringList{u"sifta"_s, u"a.txt"_s, u"--help"_s} << Action::ShowHelp << QString() << QString();
    QTest::newRow("--version") << QStringList{u"sifta"_s, u"--version"_s} << Action::ShowVersion << QString()
                               << QString();
    QTest::newRow("unknown option refused")
        << QStringList{u"sifta"_s, u"--verbose"_s} << Action::Refuse << QString() << u"--verbose"_s;
    QTest::newRow("toolkit option -reverse is a file")
        << QStringList{u"sifta"_s, u"-reverse"_s} << open << u"/home/user/-reverse"_s << QString();
    QTest::newRow("toolkit option -style is a file")
        << QStringList{u"sifta"_s, u"-style"_s} << open << u"/home/user/-style"_s << QString();
    QTest::newRow("-reverse after --")
        << QStringList{u"sifta"_s, u"--"_s, u"-reverse"_s} << open << u"/home/user/-reverse"_s << QString();
    QTest::newRow("--help after -- is a file")
        << QStringList{u"sifta"_s, u"--"_s, u"--help"_s} << open << u"/home/user/--help"_s << QString();
    QTest::newRow("no program name") << QStringList{} << open << QString() << QString();
}

void TestCommandLine::documentFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(CommandLine::Action, action);
    QFETCH(QString, file);
    QFETCH(QString, named);

    const CommandLine request = parseCommandLine(arguments, u"/home/user"_s);
    QCOMPARE(request.action, action);
    QCOMPARE(request.file, file);
    QCOMPARE(request.error.isEmpty(), named.isEmpty());
    QVERIFY2(request.error.contains(named), qPrintable(request.error));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
