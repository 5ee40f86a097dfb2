#!/usr/bin/env bash
# The desktop files the package installs: the MIME type must compile into a MIME database
# without a word (update-mime-database drops a rule it refuses and says so at every install), an XML data file and an older stream file must be recognised as Vantor data, and
# the desktop entry must validate.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/share/mime/packages" "$work/home"
cp /usr/share/mime/packages/freedesktop.org.xml "$work/share/mime/packages/"
cp "$source_dir/data/vantor-mime.xml" "$work/share/mime/packages/vantor.xml"
export XDG_DATA_DIRS="$work/share" XDG_DATA_HOME="$work/home"
update-mime-database "$work/share/mime" >"$work/said" 2>&1
if [[ -s $work/said ]]; then
  echo "FAIL: update-mime-database complained:"; cat "$work/said"; exit 1
fi

content_type() { gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
cp "$source_dir/examples/glycol-coil.hqx" "$work/xml-file.hqx"
cp "$source_dir/tests/data/fuzz/datafile_legacy/fat-1.0.0.3.hqx" "$work/stream-file.hqx"
# The stream's signature alone must be enough, whatever the file is called.
cp "$work/stream-file.hqx" "$work/stream-file.dat"
for f in xml-file.hqx stream-file.hqx stream-file.dat; do
  type=$(content_type "$work/$f")
  [[ $type == application/x-vantor-data ]] || { echo "FAIL: $f is '$type'"; exit 1; }
done

desktop-file-validate "$source_dir/data/vantor.desktop"
echo "desktop integration: ok"
