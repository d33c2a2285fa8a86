#pragma once

namespace zq {

// Address of the program's help page.
inline constexpr const char *HelpPage = "qrc:/help/zq_help.html";

// Makes the help page available; call once before the help is shown.
void LoadHelpResources();

} // namespace zq
