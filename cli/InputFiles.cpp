#include "cli/InputFiles.h"

#include "cli/CliOutput.h"
#include "platform/FileError.h"

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
        const QList<QByteArray> names = entries(folder);
        for (const QByteArray& name : names) {
            const QByteArray path = prefix + name;
            struct stat info {};
            if (::lstat(path.constData(), &info) != 0) {
                mOutput.error("cannot read '" + path + "': " + systemMessage(errno));
                continue;
            }
            // Links, devices, pipes and sockets are skipped, so that a walk never loops or blocks.
            if (S_ISDIR(info.st_mode))
                walk(path, path + '/');
            else if (S_ISREG(info.st_mode))
                mVisit(InputFile{path, false, true});
        }
    }

private:
    QList<QByteArray> entries(const QByteArray& folder)
    {
        QList<QByteArray> names;
        DIR* dir = ::opendir(folder.constData());
        if (!dir) {
            mOutput.error("cannot read '" + folder + "': " + systemMessage(errno));
            return names;
        }
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        if (errno != 0)
            mOutput.error("cannot read '" + folder + "': " + systemMessage(errno));
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        return names;
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
