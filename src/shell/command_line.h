#pragma once

#include <QString>

namespace zq {

// What a file given on the command line is, by its extension in any case:
// a tape file (.KSN) opens in the adding machine, a tally file (.SUK) in
// the tally window.
enum class DocumentKind { None, Tape, Tally, Unknown };

DocumentKind KindOfDocument(const QString &path);

} // namespace zq
