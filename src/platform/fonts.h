#pragma once

#include <QFont>
#include <QString>

namespace zq {

inline const QString GothicFont = QStringLiteral("ＭＳ ゴシック");
inline const QString PGothicFont = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString MinchoFont = QStringLiteral("ＭＳ 明朝");
inline const QString PMinchoFont = QStringLiteral("ＭＳ Ｐ明朝");

// Maps the Japanese font names used by the windows and prints to the
// metric-compatible fonts installed on this system.
void InstallFontSubstitutions();

QFont LegacyFont(const QString &family, double points, bool bold = false);

} // namespace zq
