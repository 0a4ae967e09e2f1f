#pragma once

#include <QString>
#include <QStringList>

/// The document file named on the command line ("sifta FILE"), as a full path: the
/// first argument after the program's own name, taken relative to `currentFolder`.
/// Empty when there is no such argument.
QString commandLineFile(const QStringList& arguments, const QString& currentFolder);
