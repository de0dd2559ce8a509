#!/usr/bin/env bash
# Fails when code above the stand-ins includes an SDL header: the game talks to
# the platform only through src/platform, src/engine and src/sound, and its
# tests reach SDL only through them too (the stand-ins' own tests aside).
root=${1:-.}
folders=("$root/src/app" "$root/src/resources" "$root/src/world" "$root/src/scripting" "$root/src/scene"
         "$root/src/frontend")
for folder in "$root"/tests/*; do
  case "${folder##*/}" in
    platform | engine | sound) ;;
    *) folders+=("$folder") ;;
  esac
done
hits=$(grep -rnE '#\s*include\s*[<"]SDL' "${folders[@]}" 2>/dev/null)
if [ -n "$hits" ]; then
  echo "SDL included above the stand-ins:"; echo "$hits"; exit 1
fi
echo "layering ok"
