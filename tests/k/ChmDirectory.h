#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// Lists the files stored in a compiled help file (ITSF container): each name
// ("/index.html", "#SYSTEM", …) with its uncompressed length. Reads only the
// uncompressed directory, so it needs no decompressor and no help compiler;
// gives nothing when the bytes are not a well-formed container or the data of
// an uncompressed entry (the compressed stream among them) lies past the end.
std::optional<QMap<QString, quint64>> chmDirectory(const QByteArray &file);
