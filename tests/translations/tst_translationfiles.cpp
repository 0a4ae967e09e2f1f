#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

/// Each translation file, brought up to date with the sources as "make translations" does,
/// holds a finished translation of every text; the failure names each text that has none.
class tst_TranslationFiles : public QObject {
    Q_OBJECT

private slots:
    void finished_data();
    void finished();
};

namespace {

/// The source texts of `tsFile` whose translation is unfinished or empty.
QStringList unfinishedTexts(const QString& tsFile)
{
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(cannot read %1)").arg(tsFile)};
    QXmlStreamReader xml(&file);
    QStringList unfinished;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            const bool markedUnfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            // The plural forms of a counted text are read as one text.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (markedUnfinished || text.trimmed().isEmpty())
                unfinished.append(source);
        }
    }
    if (xml.hasError())
        unfinished.append(QStringLiteral("(%1: %2)").arg(tsFile, xml.errorString()));
    return unfinished;
}

} // namespace

void tst_TranslationFiles::finished_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("options");

    // The English file holds only the plural forms; every other language holds every text.
    const QStringList files = QDir(QStringLiteral(SIFTA_TRANSLATIONS_FOLDER)).entryList({QStringLiteral("sifta_*.ts")});
    QVERIFY(files.size() >= 2);
    for (const QString& file : files) {
        const bool plurals = file == QLatin1String("sifta_en.ts");
        QTest::newRow(qPrintable(file)) << file << (plurals ? QStringList{QStringLiteral("-pluralonly")} : QStringList());
    }
}

void tst_TranslationFiles::finished()
{
    QFETCH(QString, fileName);
    QFETCH(QStringList, options);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath(fileName);
    QVERIFY(QFile::copy(QStringLiteral(SIFTA_TRANSLATIONS_FOLDER "/") + fileName, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess lupdate;
    lupdate.start(QStringLiteral(SIFTA_LUPDATE),
                  QStringList{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                              QStringLiteral("-no-obsolete"), QStringLiteral("-no-ui-lines"),
                              QStringLiteral("-I"), QStringLiteral(SIFTA_SOURCE_FOLDER),
                              QStringLiteral("-I"), QStringLiteral(SIFTA_SOURCE_FOLDER "/app")}
                      + options + QStringList{QStringLiteral("@" SIFTA_SOURCES_LIST), QStringLiteral("-ts"), copy});
    QVERIFY(lupdate.waitForFinished(-1));
    QCOMPARE(lupdate.exitCode(), 0);

    const QStringList unfinished = unfinishedTexts(copy);
    if (!unfinished.isEmpty())
        QFAIL(qPrintable(QStringLiteral("%1 has no finished translation of (\"make translations\", then translate):\n  %2")
                             .arg(fileName, unfinished.join(QStringLiteral("\n  ")))));
}

QTEST_GUILESS_MAIN(tst_TranslationFiles)
#include "tst_translationfiles.moc"
