#!/usr/bin/env bash
# scripts/install-deps --dry-run with a package name no archive has: the script must not stop
# at dpkg's "no packages found", must list that name as missing, and must list no package that
# is already installed.
set -euo pipefail
script=$1
fake=vantor-test-no-such-package

out=$("$script" --dry-run --extra "$fake") || { echo "FAIL: exit status $?"; exit 1; }
line=$(grep '^missing:' <<<"$out") || { echo "FAIL: no 'missing:' line in: $out"; exit 1; }
read -r -a listed <<<"${line#missing:}"

grep -qw -- "$fake" <<<"${listed[*]}" || { echo "FAIL: $fake not listed: $line"; exit 1; }
for p in "${listed[@]}"; do
  [[ $p == "$fake" ]] && continue
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q ' installed$'; then
    echo "FAIL: $p is installed but listed as missing"; exit 1
  fi
done
# cmake is certainly installed: it is running this test.
grep -qw cmake <<<"${listed[*]}" && { echo "FAIL: cmake listed as missing"; exit 1; }

# The same through the environment variable, two names at once.
out=$(VANTOR_EXTRA_PACKAGES="$fake-a $fake-b" "$script" --dry-run)
grep -q -- "$fake-a $fake-b" <<<"$out" || { echo "FAIL: VANTOR_EXTRA_PACKAGES ignored: $out"; exit 1; }

# An unknown argument is a usage error, not a silent install.
if "$script" --dry-rn >/dev/null 2>&1; then echo "FAIL: unknown argument accepted"; exit 1; fi
echo "install-deps dry run: ok"
