#include "matches/MatchesCommands.h"

#include "matches/MatchesWindow.h"
#include "matches/MatchTableModel.h"
#include "platform/CommonDialog.h"
#include "platform/Descriptor.h"
#include "platform/FileBytes.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>

#include <optional>

namespace {

struct MatchesTexts {
    Q_DECLARE_TR_FUNCTIONS(MatchesTexts)
};

/// What a command reads on another thread, taken on the window's: the table may show other
/// matches meanwhile, as the live matching lands.
struct Snapshot {
    MatchCollection matches;
    std::shared_ptr<const LineIndex> lines;

    explicit Snapshot(const MatchTableModel& table) : matches(table.matches()), lines(table.lineIndex()) {}

    /// The table's line index when it was built, else one built here; null on cancel.
    std::shared_ptr<const LineIndex> lineIndex(const std::atomic_bool& cancel) const
    {
        return lines ? lines : LineIndex::build(matches.Text(), &cancel);
    }
};

QString exportFilter(MatchFileFormat format)
{
    switch (format) {
    case MatchFileFormat::Csv:
        return MatchesTexts::tr("CSV Files (*.csv)|*.csv|All Files|*.*|");
    case MatchFileFormat::JsonLines:
        return MatchesTexts::tr("JSON Lines (*.jsonl)|*.jsonl|All Files|*.*|");
    }
    Q_UNREACHABLE();
}

} // namespace

MatchesCommands::MatchesCommands(IMatchesWindow& window, IMessageBox& messages, IFileDialog& dialogs)
    : mWindow(window), mMessages(messages), mDialogs(dialogs)
{
}

void MatchesCommands::Copy(const MatchTableModel& model, const QList<RowRange>& rows)
{
    if (rows.isEmpty())
        return;
    const Snapshot table(model);
    QString text;
    const bool finished = mWindow.runBusy(MatchesTexts::tr("Copying..."), [&](const std::atomic_bool& cancel) {
        if (const std::shared_ptr<const LineIndex> lines = table.lineIndex(cancel))
            text = tabSeparatedRows(table.matches, *lines, rows, &cancel);
    });
    if (finished)
        mWindow.setClipboardText(text);
}

void MatchesCommands::Export(const MatchTableModel& model, MatchFileFormat format)
{
    const Snapshot table(model);
    const QString path = CommonDialog::ShowSave(mDialogs, MatchesTexts::tr("Export Matches"), QString(),
                                                exportFilter(format),
                                                OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_EXPLORER);
    if (path.isEmpty())
        return;
    std::optional<FileError> error;
    const bool finished = mWindow.runBusy(MatchesTexts::tr("Exporting..."), [&](const std::atomic_bool& cancel) {
        const std::shared_ptr<const LineIndex> lines = table.lineIndex(cancel);
        if (!lines)
            return;
        // The file is written as the matches are turned into lines; a cancel before it is
        // complete leaves a file of that name as it was.
        error = FileBytes::write(path, [&](int fd) {
            return writeMatchFile(format, table.matches, *lines,
                                  [fd](QByteArrayView chunk) { return writeAll(fd, chunk); }, &cancel);
        });
    });
    if (error && finished)
        mMessages.show(error->message(), MessageButtons::Ok, MessageIcon::Exclamation);
}
