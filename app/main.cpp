#include "app/frmSifta.h"
#include "documents/CommandLine.h"
#include "journal/RecoveryOffer.h"
#include "platform/FilePath.h"
#include "platform/HugePages.h"
#include "platform/QtMessageBox.h"
#include "settings/CSettings.h"
#include "translations/Translations.h"

#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

/// Writes `text` to `stream`; false when it could not be written whole.
bool print(const QString& text, std::FILE* stream)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
        && std::fflush(stream) == 0;
}

} // namespace

int main(int argc, char* argv[])
{
    mapLargeBlocksOnTheirOwn();
    // The arguments and the folder are decoded as file names, so that every name the
    // system has reaches its file, which QFile::decodeName and QDir::currentPath do not do.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FilePath::decode(argv[i]);
    const CommandLine request = parseCommandLine(arguments, FilePath::currentFolder());
    switch (request.action) {
    case CommandLine::Action::ShowHelp:
        return print(commandLineHelp(), stdout) ? 0 : 2;
    case CommandLine::Action::ShowVersion:
        return print(QStringLiteral("sifta " SIFTA_VERSION "\n"), stdout) ? 0 : 2;
    case CommandLine::Action::Refuse:
        print(QStringLiteral("sifta: %1\nTry 'sifta --help'.\n").arg(request.error), stderr);
        return 2;
    case CommandLine::Action::OpenWindow:
        break;
    }

    // The toolkit sees none of the arguments, so that a file named like one of its
    // options ("-reverse", "-style") is opened instead of obeyed.
    char programName[] = "sifta";
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
    QApplication app(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(QStringLiteral("Sifta"));
    QApplication::setApplicationVersion(QStringLiteral(SIFTA_VERSION));
    // The window speaks the language of the user's locale (LANG, LC_MESSAGES) where it can.
    installTranslations(app, QLocale::system());

    QtMessageBox messages;
    gSettings = std::make_unique<CSettings>(messages);
    int result = 0;
    {
        // Texts that windows which ended without closing kept are offered before anything
        // else; each one restored gets a window of its own, and a file named on the command
        // line one more.
        std::vector<Recovery> recoveries = offerRecoveries(messages, JournalSlot::orphans());
        std::vector<std::unique_ptr<frmSifta>> windows;
        const auto newWindow = [&] {
            windows.push_back(std::make_unique<frmSifta>(messages, *gSettings));
            windows.back()->show();
            return windows.back().get();
        };
        frmSifta* window = newWindow();
        bool windowFree = true;
        for (Recovery& recovery : recoveries) {
            if (!windowFree)
                window = newWindow();
            windowFree = !window->RestoreJournal(std::move(recovery));
        }
        if (!request.file.isEmpty()) {
            if (!windowFree)
                window = newWindow();
            window->LoadCommandLineDocument(request.file);
        }
        result = QApplication::exec();
    }
    // Releasing the store writes which place holds the settings.
    gSettings.reset();
    return result;
}
