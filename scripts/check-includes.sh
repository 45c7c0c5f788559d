#!/usr/bin/env bash
# Keeps the layout the architecture: every folder of src/ is a floor that includes only the floors below it (and
# itself), and only the platform's floors include the platform's libraries. Prints each include that breaks a rule
# and fails if there is one.
#
# The floors, from the ground up:
#   media/measure  media/core  media/files  media/net  media/input  media/graphics  media/audio  media/codecs
#   media/platform  shared  controls  fighters  fight  netplay  frontend  app  and main.cpp on top;
#   headless (the recording driver of tests and tools) stands beside app: it may include any floor, and no floor
#   of the game includes it.
# SDL, OpenGL and ENet headers belong to media/platform, libpng's and Vorbis's to media/codecs.
set -euo pipefail
cd "$(dirname "$0")/../src"

floors=(media/measure media/core media/files media/net media/input media/graphics media/audio media/codecs
  media/platform shared controls fighters fight netplay frontend app)

# The rank of the floor a path (relative to src/) lies on; the top for main.cpp and headless/, -1 for none.
rank() {
  local path=$1 i
  case $path in
    main.cpp | headless/*) echo "${#floors[@]}"; return ;;
  esac
  for i in "${!floors[@]}"; do
    if [[ $path == "${floors[$i]}"/* ]]; then
      echo "$i"
      return
    fi
  done
  echo -1
}

broken=0
while IFS= read -r file; do
  own=$(rank "$file")
  if [[ $own -lt 0 ]]; then
    echo "$file: lies on no floor"
    broken=1
    continue
  fi
  while IFS=: read -r line included; do
    target=$(rank "$included")
    if [[ $target -lt 0 ]]; then
      echo "$file:$line: includes \"$included\", which lies on no floor"
      broken=1
    elif [[ $included == headless/* && $file != headless/* ]]; then
      echo "$file:$line: includes \"$included\": the game never includes the test and measuring scaffolding"
      broken=1
    elif [[ $target -gt $own ]]; then
      echo "$file:$line: includes \"$included\" from a floor above its own"
      broken=1
    elif [[ $target -eq $own && $own -lt ${#floors[@]} && ${included%/*} != "${file%/*}" ]]; then
      # On the floors' own rank only the same folder: media/input/x may not include media/input2/y.
      echo "$file:$line: includes \"$included\" across to another folder of its floor"
      broken=1
    fi
  done < <(grep -n '^#include "' "$file" | sed 's/^\([0-9]*\):#include "\([^"]*\)".*/\1:\2/' || true)
  library=$(grep -nE '^#include <(SDL[^>]*|GL/[^>]*|enet/[^>]*|png\.h|vorbis/[^>]*|ogg/[^>]*)>' "$file" || true)
  if [[ -n "$library" ]]; then
    case $file in
      media/platform/*) [[ $library =~ (png\.h|vorbis/|ogg/) ]] && allowed=0 || allowed=1 ;;
      media/codecs/*) [[ $library =~ (SDL|GL/|enet/) ]] && allowed=0 || allowed=1 ;;
      *) allowed=0 ;;
    esac
    if [[ $allowed -eq 0 ]]; then
      echo "$file: includes a platform library outside its floor: ${library//$'\n'/, }"
      broken=1
    fi
  fi
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

if [[ $broken -ne 0 ]]; then
  echo "check-includes: includes that break the floors of src/ (see the list above)"
  exit 1
fi
echo "check-includes: every include keeps to the floors"
