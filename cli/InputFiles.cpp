#include "cli/InputFiles.h"

#include "cli/CliOutput.h"
#include "platform/FileError.h"
#include "platform/InPlaceRewrite.h"

#include <QList>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QByteArray systemMessage(int error)
{
    return FileError::fromErrno(error).description.toUtf8();
}

class FolderWalk {
public:
    FolderWalk(const std::function<void(const InputFile&)>& visit, CliOutput& output)
        : mVisit(visit), mOutput(output)
    {
    }

    /// Visits the regular files under folder; prefix is what names of its entries start with.
    void walk(const QByteArray& folder, const QByteArray& prefix)
    {
        const QList<Entry> found = entries(folder);
        for (const Entry& entry : found) {
            const QByteArray path = prefix + entry.name;
            unsigned char type = entry.type;
            if (type == DT_UNKNOWN) {
                struct stat info {};
                if (::lstat(path.constData(), &info) != 0) {
                    mOutput.error("cannot read '" + path + "': " + systemMessage(errno));
                    continue;
                }
                type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_LNK;
            }
            // Links, devices, pipes and sockets are skipped, so that a walk never loops or blocks.
            if (type == DT_DIR) {
                walk(path, path + '/');
            } else if (type == DT_REG) {
                const Entry backup{rewriteBackupName(entry.name), 0};
                const bool backupBeside = std::binary_search(found.begin(), found.end(), backup);
                mVisit(InputFile{path, false, true, backupBeside});
            }
        }
    }

private:
    struct Entry {
        QByteArray name;
        unsigned char type = DT_UNKNOWN;

        bool operator<(const Entry& other) const { return name < other.name; }
    };

    QList<Entry> entries(const QByteArray& folder)
    {
        QList<Entry> found;
        DIR* dir = ::opendir(folder.constData());
        if (!dir) {
            mOutput.error("cannot read '" + folder + "': " + systemMessage(errno));
            return found;
        }
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                found.push_back({name, entry->d_type});
        }
        if (errno != 0)
            mOutput.error("cannot read '" + folder + "': " + systemMessage(errno));
        ::closedir(dir);
        std::sort(found.begin(), found.end());
        return found;
    }

    const std::function<void(const InputFile&)>& mVisit;
    CliOutput& mOutput;
};

bool isFolder(const QByteArray& path)
{
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

QByteArray InputFile::shownName() const
{
    return standardInput ? QByteArray("(standard input)") : path;
}

QByteArray InputFile::quotedName() const
{
    return standardInput ? QByteArray("standard input") : "'" + path + "'";
}

void forEachInput(const CliRequest& request, const std::function<void(const InputFile&)>& visit,
                  CliOutput& output)
{
    FolderWalk folders(visit, output);
    if (request.files.isEmpty()) {
        // grep -r without a FILE searches the current folder and names its files without "./".
        if (request.recursive)
            folders.walk(".", QByteArray());
        else
            visit(InputFile{QByteArray(), true, false});
        return;
    }
    for (const QByteArray& file : request.files) {
        if (file == "-") {
            visit(InputFile{QByteArray(), true, false});
        } else if (!isFolder(file)) {
            visit(InputFile{file, false, false});
        } else if (request.recursive) {
            folders.walk(file, file.endsWith('/') ? file : file + '/');
        } else {
            output.error("cannot read '" + file + "': it is a folder (-r searches folders)");
        }
    }
}
