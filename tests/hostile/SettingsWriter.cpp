// A second program that writes the remembered options into the same Settings.ini as the
// test that starts it: SettingsWriter FOLDER USER-FILE LABEL ROUNDS [FILE-SIZE-LIMIT]
// It says "started" after its first round. With a file-size limit, set after the store has
// started, the system kills it with SIGXFSZ in the middle of its first write.

#include "LabelledOptions.h"
#include "settings/CSettings.h"
#include "support/RecordingMessageBox.h"

#include <QCoreApplication>
#include <QSettings>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 5)
        return 2;
    RecordingMessageBox messages;
    CSettings settings(messages, arguments[1], std::make_unique<QSettings>(arguments[2], QSettings::IniFormat));
    if (arguments.size() > 5) {
        // The kill must come even when the starting program ignores it, and leave no core file.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = arguments[5].toULong();
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    const RememberedOptions options = labelledOptions(arguments[3]);
    const int rounds = arguments[4].toInt();
    for (int round = 0; round < rounds; ++round) {
        writeRememberedOptions(settings, options);
        if (round == 0) {
            std::puts("started");
            std::fflush(stdout);
        }
    }
    for (const QString& text : messages.texts())
        std::fprintf(stderr, "%s\n", qPrintable(text));
    return messages.shown.isEmpty() ? 0 : 1;
}
