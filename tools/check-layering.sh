#!/usr/bin/env bash
# Fails when code above the stand-ins includes an SDL header: the game talks to
# the platform only through src/platform, src/engine and src/sound.
root=${1:-.}
hits=$(grep -rnE '#\s*include\s*[<"]SDL' "$root/src/app" "$root/src/resources" "$root/src/world" \
        "$root/src/scripting" "$root/src/scene" "$root/src/frontend" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "SDL included above the stand-ins:"; echo "$hits"; exit 1
fi
echo "layering ok"
