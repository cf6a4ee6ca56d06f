#!/usr/bin/env bash
# What Windows reads from kestrova-saver.scr without running it: string 1 names the saver in
# the Screen Saver Settings list, the version resource fills Explorer's Properties > Details,
# the process manifest makes each monitor's show use that monitor's own pixels.
#   SaverResourceTests.sh <kestrova-saver.scr> <version> <copyright file>
set -euo pipefail
scr=$1 version=$2 copyright=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../support/wait-for.sh"

declare -A found
listing=$(python3 "$here/saver-resources.py" "$scr")
while IFS='=' read -r name value; do found[$name]=$value; done <<<"$listing"
expect() { [[ ${found[$1]-} == "$2" ]] || fail "$1 is '${found[$1]-}', not '$2'"; }

expect String1 "Kestrova Saver"
expect ProductName "Kestrova Saver"
expect FileVersion "$version"
expect ProductVersion "$version"
numbers=$version
while [[ $numbers != *.*.*.* ]]; do numbers+=.0; done
expect FixedFileVersion "$numbers"
expect FixedProductVersion "$numbers"
rights=$(sed -n 's/^Copyright: *//p' "$copyright" | head -n1)
expect LegalCopyright "Copyright $rights"
[[ -n ${found[CompanyName]-} && $rights == *" ${found[CompanyName]}" ]] ||
  fail "CompanyName '${found[CompanyName]-}' is not the rights holder of '$rights'"
expect DpiAwareness "PerMonitorV2, PerMonitor"
echo "PASS: saver resources"
