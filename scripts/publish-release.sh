#!/usr/bin/env bash
# Publishes what scripts/release.sh put in build/dist as the forge's
# release for TAG, "v" and the version (v1.00), with the version's notes.
# Uses the forge's command-line client (gh), signed in through GH_TOKEN.
# usage: publish-release.sh TAG
set -euo pipefail
cd "$(dirname "$0")/.."
tag=${1:?usage: publish-release.sh TAG}
version=${tag#v}
notes=build/dist/improves-calc-${version}-notes.md
if [ "$tag" = "$version" ] || [ ! -f "$notes" ]; then
    echo "publish-release.sh: $tag is not v and the version build/dist holds ($(ls build/dist 2>/dev/null | tr '\n' ' '))" >&2
    exit 1
fi
(cd build/dist && sha256sum --check --quiet SHA256SUMS)
title=$(sed -n '1s/^# //p' "$notes") # the notes' heading: the name and version
gh release create "$tag" --verify-tag --title "$title" --notes-file "$notes" build/dist/*
