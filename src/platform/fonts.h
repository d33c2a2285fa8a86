#pragma once

#include "common/font_names.h"

#include <QFont>
#include <QString>

namespace zq {

// Maps the Japanese font names used by the windows and prints to the
// metric-compatible fonts installed on this system.
void InstallFontSubstitutions();

// The substitutions, and the font every window and control takes unless it
// sets its own.
void UseProgramFonts();

QFont LegacyFont(const QString &family, double points, bool bold = false);

} // namespace zq
