#!/usr/bin/env bash
# The main job: checks the packages, builds everything natively, checks the sample
# projects with the library through tvx and builds the API reference (build/docs/html).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/packages.sh

cmake --preset linux
cmake --build --preset linux

for project in build/linux/examples/projects/*.tvx; do
  build/linux/bin/tvx check "$project"
done

scripts/docs.sh
