#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the project's own prefix.
# Message boxes are written to the stream the program names (nobody clicks
# under Xvfb). The prefix is made on first use (wine-prefix.sh).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/wine-env.sh"
exec wine "$@"
