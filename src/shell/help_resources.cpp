#include "shell/help_resources.h"

#include <QtGlobal>

// The resources of a static library are linked in only when asked for.
static void initHelpResources()
{
    Q_INIT_RESOURCE(help);
}

namespace zq {

void LoadHelpResources()
{
    initHelpResources();
}

} // namespace zq
