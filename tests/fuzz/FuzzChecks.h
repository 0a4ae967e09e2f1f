#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

/// The properties the fuzz targets check, each over one input of arbitrary bytes. A check
/// returns empty text when every property holds, else what broke; a crash or a sanitizer
/// report is a failure too. The fuzz targets and the regression test share these entry points.
namespace FuzzChecks {

/// A pattern and a small text: compiling and Execute with the component's limits, matches in
/// order and inside the text, Replace agreeing with Execute and the replacement expander.
QString pattern(QByteArrayView data);
/// The replacement expander on arbitrary replacement texts, group counts and match offsets.
QString replacement(QByteArrayView data);
/// The INI text rules on arbitrary file contents: a value set is read back, others are kept.
QString ini(QByteArrayView data);
/// The document codec: decoding then encoding gives back the same bytes; refusals name a
/// character the encoding truly cannot store.
QString codec(QByteArrayView data);

struct Check {
    const char* name; ///< also the folder name of its corpus and regressions
    QString (*run)(QByteArrayView data);
};

inline constexpr std::array<Check, 4> kChecks{{
    {"pattern", &pattern},
    {"replacement", &replacement},
    {"ini", &ini},
    {"codec", &codec},
}};

} // namespace FuzzChecks
