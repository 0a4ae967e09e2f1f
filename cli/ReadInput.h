#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

/// The whole content of file, or of standard input when file is absent; a message
/// naming the file and the reason when it cannot be read.
std::variant<QByteArray, QString> readInput(const std::optional<QString>& file);
