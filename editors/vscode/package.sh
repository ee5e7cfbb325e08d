#!/usr/bin/env bash
# Builds and packages the extension into OUT/quillmark.vsix from a copy of this
# folder (npm's files stay out of the source tree). Status 77 (skipped) where
# npm is not installed or its registry cannot be reached.
set -euo pipefail
out="${1:?usage: package.sh OUT}"
here="$(cd "$(dirname "$0")" && pwd)"
if ! command -v npm >/dev/null; then
  echo "skipped: npm is not installed" >&2
  exit 77
fi
rm -rf "$out" && mkdir -p "$out"
cp -r "$here/src" "$here/package.json" "$here/package-lock.json" "$here/tsconfig.json" \
  "$here/language-configuration.json" "$here/README.md" "$here/.vscodeignore" "$out/"
cd "$out"
if ! npm ci --no-audit --no-fund >npm.log 2>&1; then
  if grep -qiE "ENOTFOUND|ECONNREFUSED|EAI_AGAIN|ETIMEDOUT|network" npm.log; then
    echo "skipped: npm's registry cannot be reached" >&2
    exit 77
  fi
  cat npm.log >&2
  exit 1
fi
npm run --silent package
# The package holds the compiled extension and the language's settings.
listing="$(unzip -l quillmark.vsix)"
manifest="$(unzip -p quillmark.vsix extension/package.json)"
grep -q "extension/out/extension.js" <<<"$listing"
grep -q '"files.encoding": "windows1252"' <<<"$manifest"
echo "packaged $out/quillmark.vsix"
