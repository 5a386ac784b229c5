#!/usr/bin/env bash
# Fails when the layering breaks: src/core includes Qt or a media library, or src/media includes Qt Widgets.
set -u
root=${1:-.}
status=0
core_pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]|qt|libav|libsw|gst/|ges/|glib|turbojpeg|jpeglib|xlsxwriter|linux/videodev)'
media_pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](QtWidgets|QWidget|QDialog|QMainWindow|QApplication|QPushButton|QLabel|QMessageBox|gui/)'

hits=$(grep -rnIE "$core_pattern" "$root/src/core" 2>/dev/null)
if [ -n "$hits" ]; then echo "src/core must stay free of Qt and media libraries:"; echo "$hits"; status=1; fi
hits=$(grep -rnIE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(media|gui|app)/' "$root/src/core" 2>/dev/null)
if [ -n "$hits" ]; then echo "src/core must not include the layers above it:"; echo "$hits"; status=1; fi
hits=$(grep -rnIE "$media_pattern" "$root/src/media" 2>/dev/null)
if [ -n "$hits" ]; then echo "src/media must stay free of Qt Widgets and the gui layer:"; echo "$hits"; status=1; fi

# The guard must itself catch what it is meant to catch.
probe=$(mktemp -d)
mkdir -p "$probe/src/core" "$probe/src/media"
printf '#include <QString>\n' > "$probe/src/core/a.h"
printf '#include <QtWidgets/QWidget>\n' > "$probe/src/media/b.h"
grep -qE "$core_pattern" "$probe/src/core/a.h" || { echo "guard self-test: core pattern misses a Qt include"; status=1; }
grep -qE "$media_pattern" "$probe/src/media/b.h" || { echo "guard self-test: media pattern misses a Widgets include"; status=1; }
printf '#include "core/common/tolerance.h"\n#include <vector>\n' > "$probe/src/core/c.h"
grep -qE "$core_pattern" "$probe/src/core/c.h" && { echo "guard self-test: core pattern trips on a plain include"; status=1; }
rm -rf "$probe"
[ $status -eq 0 ] && echo "layers: ok"
exit $status
