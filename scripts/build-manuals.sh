#!/usr/bin/env bash
# Turns the manual sources docs/manual/en and docs/manual/zh (Markdown and the pictures of
# scripts/manual-shots.sh) into the two PDF files that ship in the program directory:
#   data/KOV-Q730A User Manual.pdf  and  data/KOV-Q730A User Manual-chinese.pdf
# with pandoc and weasyprint (installed here through scripts/deps.sh manual). Building the
# program does not need them: the PDFs are committed.
#   scripts/build-manuals.sh [OUTPUT_DIR]      (default: data/)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/data}"

"$root/scripts/deps.sh" manual
mkdir -p "$out"

build() {  # build LANGUAGE_DIR TOC_TITLE PDF_NAME
    local src="$root/docs/manual/$1" pdf="$out/$3"
    local html
    html="$(mktemp --suffix=.html)"
    # pandoc writes one HTML page with a linked table of contents; weasyprint lays it out
    # with the print style (page numbers, contents page numbers) and embeds the fonts used.
    # Smart quotes and dashes stay off, so that the program's texts appear exactly as the
    # program writes them ("...", straight quotes).
    pandoc "$src/manual.md" --from markdown-smart-tex_math_dollars --standalone --toc --toc-depth=2 \
        --metadata toc-title="$2" --css "$root/docs/manual/manual.css" \
        -o "$html"
    weasyprint --quiet --base-url "$src/" "$html" "$pdf"
    rm -f "$html"
    echo "build-manuals: $pdf"
}

build en "Contents" "KOV-Q730A User Manual.pdf"
build zh "目录" "KOV-Q730A User Manual-chinese.pdf"
