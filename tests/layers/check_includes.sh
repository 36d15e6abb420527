#!/usr/bin/env bash
# Keeps the libraries in one chain. Each folder may include only its own
# headers and those of the folders to its left:
#
#   platform <- rules <- scene <- online <- interface <- app
#
# and only platform/ may include an operating-system or toolkit header
# (OpenGL and GLU are allowed everywhere).
#
# Inside a folder, two units (a unit is x.h with x.cpp) must not include each
# other's headers: of two files that need each other, one takes the other's
# work through a header of its own or through its parameters.
#
# Tests and tools are not checked. Prints every offending include as
# file:line and every pair, and fails when there is one.
#
#   check_includes.sh [source folder]
set -u
export LC_ALL=C
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
chain=(platform rules scene online interface app)
# Headers only the platform layer may include.
system_pattern='^(FL/|X11/|SDL|curl/|sys/|unistd\.h|fcntl\.h|netinet/|arpa/|netdb\.h|dirent\.h|signal\.h|pthread\.h|dlfcn\.h|poll\.h|GL/glx)'

declare -A rank
for i in "${!chain[@]}"; do rank[${chain[$i]}]=$i; done

# unit -> the other units of its folder whose headers its files include.
declare -A uses

failures=0
for i in "${!chain[@]}"; do
  folder=${chain[$i]}
  while IFS= read -r -d '' file; do
    rel=${file#"$top"/}
    line=0
    while IFS= read -r text; do
      line=$((line + 1))
      if [[ $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^/\"]+)/ ]]; then
        target=${BASH_REMATCH[1]}
        if [ "$target" = "$folder" ] && [[ $text =~ \"$folder/([^\"/]+)\.h\" ]]; then
          unit=${rel%.*}
          [ "$folder/${BASH_REMATCH[1]}" != "$unit" ] && uses[$unit]+=" $folder/${BASH_REMATCH[1]} "
        fi
        r=${rank[$target]:--1}
        if [ "$r" -gt "$i" ]; then
          echo "$rel:$line: $folder/ includes $target/, which is above it: $text"
          failures=$((failures + 1))
        elif [ "$r" -lt 0 ]; then
          echo "$rel:$line: $folder/ includes a header outside the libraries: $text"
          failures=$((failures + 1))
        fi
      elif [[ $folder != platform && $text =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
        if [[ ${BASH_REMATCH[1]} =~ $system_pattern ]]; then
          echo "$rel:$line: only platform/ may include the system header: $text"
          failures=$((failures + 1))
        fi
      fi
    done <"$file"
  done < <(find "$top/$folder" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
done

pairs=0
for a in $(printf '%s\n' "${!uses[@]}" | LC_ALL=C sort); do
  for b in ${uses[$a]}; do
    [[ "$a" < "$b" && ${uses[$b]:-} == *" $a "* ]] || continue
    echo "$a and $b include each other's headers"
    pairs=$((pairs + 1))
  done
done

if [ "$failures" -gt 0 ] || [ "$pairs" -gt 0 ]; then
  [ "$failures" -gt 0 ] && echo "$failures include(s) break the layering (chain: ${chain[*]})"
  [ "$pairs" -gt 0 ] && echo "$pairs pair(s) of files include each other's headers"
  exit 1
fi
echo "includes follow the chain (${chain[*]}) and run one way between the files of a folder"
