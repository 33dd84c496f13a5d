#!/usr/bin/env bash
# One command for a new user: install the dependencies, build Release, install
# the VST3, LV2 and standalone app for this user, and render the demo riff
# through the installed plug-in.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-release"
export CCACHE_BASEDIR="$root"

bash "$root/tools/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCORCHBOX_TESTS=OFF -DSCORCHBOX_BENCHMARKS=OFF
cmake --build "$build" --target ScorchBox_VST3 ScorchBox_LV2 ScorchBox_Standalone scorchbox-render

artefacts="$build/Source/ScorchBox_artefacts/Release"
mkdir -p "$HOME/.vst3" "$HOME/.lv2" "$HOME/.local/bin"
rm -rf "$HOME/.vst3/Scorch Box.vst3" "$HOME/.lv2/Scorch Box.lv2"
cp -R "$artefacts/VST3/Scorch Box.vst3" "$HOME/.vst3/"
cp -R "$artefacts/LV2/Scorch Box.lv2" "$HOME/.lv2/"
install -m 755 "$artefacts/Standalone/Scorch Box" "$HOME/.local/bin/scorch-box"
install -m 755 "$build/tools/render/scorchbox-render" "$HOME/.local/bin/scorchbox-render"

if [ -x "$root/tools/presets/install-factory-presets.sh" ]; then
    bash "$root/tools/presets/install-factory-presets.sh"
fi

echo "Installed: ~/.vst3/Scorch Box.vst3, ~/.lv2/Scorch Box.lv2, ~/.local/bin/scorch-box, ~/.local/bin/scorchbox-render"
"$HOME/.local/bin/scorchbox-render" --output "$root/scorchbox-demo.wav"
echo "Demo rendered to $root/scorchbox-demo.wav"
