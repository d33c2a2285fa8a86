#pragma once

#include <QString>

namespace zq {

// The Japanese fonts the windows and the printed pages ask for.
inline const QString GothicFont = QStringLiteral("ＭＳ ゴシック");
inline const QString PGothicFont = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString MinchoFont = QStringLiteral("ＭＳ 明朝");
inline const QString PMinchoFont = QStringLiteral("ＭＳ Ｐ明朝");

} // namespace zq
