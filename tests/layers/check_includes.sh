#!/usr/bin/env bash
# Keeps the libraries in one chain. Each folder may include only its own
# headers and those of the folders to its left:
#
#   platform <- rules <- scene <- online <- interface <- app
#
# and only platform/ may include an operating-system or toolkit header
# (OpenGL and GLU are allowed everywhere). Tests and tools are not checked.
# Prints every offending include as file:line and fails when there is one.
#
#   check_includes.sh [source folder]
set -u
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
chain=(platform rules scene online interface app)
# Headers only the platform layer may include.
system_pattern='^(FL/|X11/|SDL|curl/|sys/|unistd\.h|fcntl\.h|netinet/|arpa/|netdb\.h|dirent\.h|signal\.h|pthread\.h|dlfcn\.h|poll\.h|GL/glx)'

declare -A rank
for i in "${!chain[@]}"; do rank[${chain[$i]}]=$i; done

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

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) break the layering (chain: ${chain[*]})"
  exit 1
fi
echo "includes follow the chain: ${chain[*]}"
