#!/usr/bin/env bash
# Installs the Debian packages listed in tools/apt-packages.txt.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
mapfile -t packages < <(grep -v '^\s*#' "$here/apt-packages.txt" | grep -v '^\s*$')
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${packages[@]}"
