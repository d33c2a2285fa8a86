#!/usr/bin/env bash
# Checks that the program's layers point one way:
#  - a core file (every file of src/ that is not a window, a part, the
#    platform or the application shell) includes no window, part or
#    platform header, and no Qt header outside Qt Core;
#  - engine/ includes nothing of reports/, shell/, platform/ or a window;
#  - src/ holds no test code.
# Usage: check-layers.sh SRC_DIR QTCORE_INCLUDE_DIR
set -euo pipefail
src="$1"
qtcore="$2"
cd "$src"
failed=0
fail() {
    echo "$1"
    failed=1
}

window_side() {
    case "$1" in
        main.cpp | *_main.cpp | platform/* | */*_window.* | */*_part.* | reports/report_printing.* | \
            shell/application.* | shell/program.* | shell/artwork.* | shell/help_resources.*) return 0 ;;
    esac
    return 1
}

while IFS= read -r file; do
    window_side "$file" && continue
    while IFS= read -r line; do
        header="${line#*[<\"]}"
        header="${header%%[>\"]*}"
        case "$line" in
            *'"'*)
                if window_side "$header"; then
                    fail "$file includes $header: core code never includes a window or the platform"
                fi
                ;;
            *'<Q'*)
                [ -e "$qtcore/$header" ] || fail "$file includes <$header>, which is not Qt Core"
                ;;
        esac
    done < <(grep -E '^#include [<"]' "$file")
done < <(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||' | sort)

while IFS= read -r hit; do
    fail "engine/ reaches out of the engine: $hit"
done < <(grep -HnE '^#include "(reports|shell|platform)/|^#include ".*_(window|part)\.h"' engine/* || true)

while IFS= read -r hit; do
    fail "test code in the program's sources: $hit"
done < <(grep -rHnE '\b(Fake[A-Z][A-Za-z]*|Recording[A-Z][A-Za-z]*|QTest)\b' . || true)

if [ "$failed" = 0 ]; then
    echo "layers: every include points one way"
fi
exit "$failed"
