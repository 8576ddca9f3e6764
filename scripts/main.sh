#!/usr/bin/env bash
# The main job: checks the packages, builds what playing needs (the library, the software
# devices, the tools and the sample projects; not the tests), then plays every object of each
# sample project on the software force mouse with tkl-play and plots its forces; builds the
# browser studio too.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh

cmake --preset linux --log-level=WARNING
cmake --build --preset linux -j "$(nproc)" --target tkl-play tvx example_projects

for project in build/linux/examples/projects/*.tvx; do
  name=$(basename "$project" .tvx)
  echo
  build/linux/bin/tkl-play "$project" --path sweep --duration 4 -o "build/play/$name"
done

# The effect studio, built to be served: scripts/studio.sh serves it.
cmake --preset wasm --log-level=WARNING
cmake --build --preset wasm -j "$(nproc)" --target studio

echo
echo "Plots: build/play/<project>/NN-NAME.png (force and pointer over time) and, for objects"
echo "that push by position, NN-NAME-field.png (their force over the screen); open them with"
echo "any image viewer. More: build/linux/bin/tkl-play --help"
echo "The effect studio (design and preview in the browser): build/wasm/studio/site/; serve it"
echo "with scripts/studio.sh and open http://127.0.0.1:8080/"
