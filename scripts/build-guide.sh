#!/usr/bin/env bash
# Builds the Thai user guide from its Markdown pages with pandoc, as one HTML
# page and one A4 PDF (WeasyPrint), each with a table of contents:
#   build-guide.sh SOURCE_DIR PICTURES_DIR OUT_DIR
# SOURCE_DIR holds the pages NN-name.md, in the order of their numbers, and
# guide.css; PICTURES_DIR the screenshots the pages show as pictures/NAME.png.
# Writes OUT_DIR/คู่มือการใช้งาน.html with the pictures in OUT_DIR/pictures,
# and OUT_DIR/คู่มือการใช้งาน.pdf.
#
# Fails, saying why, when a page does not pass check-guide.py (a picture
# missing, a link going nowhere, a window no page names, a quoted text the
# program does not have), when pandoc or WeasyPrint prints anything at all on
# standard error, and when the PDF's text does not hold every page's title
# whole or its text is set in a font that guide.css does not name.
set -euo pipefail

usage="usage: $0 SOURCE_DIR PICTURES_DIR OUT_DIR"
[ $# -eq 3 ] || { echo "$usage" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$1" && pwd)
pictures=$(cd "$2" && pwd)
mkdir -p "$3"
out=$(cd "$3" && pwd)
name=คู่มือการใช้งาน
title="คู่มือการใช้งาน CostDesk"

fail() { echo "build-guide: $*" >&2; exit 1; }
for tool in pandoc weasyprint python3 pdftotext pdffonts pdfinfo; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh --test)"
done
css=$source_dir/guide.css
[ -f "$css" ] || fail "$css is missing"

pages=("$source_dir"/[0-9][0-9]-*.md)
[ -f "${pages[0]}" ] || fail "no pages NN-name.md in $source_dir"

# 1. The pages against each other, the pictures and the program's texts.
if ! python3 "$here/check-guide.py" "$source_dir" "$pictures" "$here/../src" >&2; then
  fail "the pages do not pass check-guide.py (above)"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/costdesk-guide.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The pictures beside the HTML page, where its pictures/NAME.png finds them.
if [ "$pictures" != "$out/pictures" ]; then
  rm -rf "$out/pictures"
  mkdir -p "$out/pictures"
  cp "$pictures"/*.png "$out/pictures/"
fi

# The style sheet inside the page, so that the HTML needs nothing but its
# pictures; pandoc's own style is left out (document-css=false).
{ echo '<style>'; cat "$css"; echo '</style>'; } >"$work/style.html"
common=(--from markdown-smart --standalone --toc --toc-depth=2 --no-highlight
        -M "title=$title" -M lang=th -M toc-title=สารบัญ -M document-css=false
        -H "$work/style.html")

# Runs pandoc in OUT_DIR (the PDF engine reads the pictures from there);
# anything on its standard error, or its engine's, is a failure.
run_pandoc() {
  local what=$1; shift
  if ! (cd "$out" && pandoc "${common[@]}" "$@" "${pages[@]}") 2>"$work/$what.err"; then
    cat "$work/$what.err" >&2
    fail "pandoc could not build the $what"
  fi
  if [ -s "$work/$what.err" ]; then
    cat "$work/$what.err" >&2
    fail "pandoc or its PDF engine warned while building the $what (above)"
  fi
}

# 2. The HTML page.
run_pandoc HTML --to html5 -o "$work/$name.html"
for page in "${pages[@]}"; do
  id=$(sed -n '1s/.*{#\([a-z0-9-]*\)}$/\1/p' "$page")
  grep -q "id=\"$id\"" "$work/$name.html" || fail "the HTML has no section id=\"$id\" ($(basename "$page"))"
done
mv "$work/$name.html" "$out/$name.html"

# 3. The PDF, through WeasyPrint with its Thai text layer mended
# (guide-weasyprint/weasyprint says how).
run_pandoc PDF --to html5 --pdf-engine="$here/guide-weasyprint/weasyprint" -o "$work/$name.pdf"

pdfinfo "$work/$name.pdf" >"$work/info" || fail "pdfinfo cannot read the PDF"
grep -q '^Page size:.*(A4)' "$work/info" || fail "the PDF is not A4: $(grep '^Page size' "$work/info")"
page_count=$(sed -n 's/^Pages: *//p' "$work/info")
[ "$page_count" -gt "${#pages[@]}" ] || fail "the PDF has $page_count pages for ${#pages[@]} guide pages"

# Every page's title as a line of its own in the PDF's text, whole: no mark
# lost, no letter replaced, no blank inside.
pdftotext -enc UTF-8 "$work/$name.pdf" "$work/text.ff" 2>"$work/pdftotext.err" || fail "pdftotext: $(cat "$work/pdftotext.err")"
tr -d '\f' <"$work/text.ff" >"$work/text"  # a sheet's first line comes after a form feed
missing=0
for page in "${pages[@]}"; do
  heading=$(sed -n '1s/^# \(.*\) {#[a-z0-9-]*}$/\1/p' "$page")
  if ! grep -qxF "$heading" "$work/text"; then
    echo "build-guide: the PDF's text has no line \"$heading\" ($(basename "$page"))" >&2
    missing=$((missing + 1))
  fi
done
[ "$missing" -eq 0 ] || fail "$missing page title(s) not found whole in the PDF's text"

# Only the fonts guide.css names: another means fontconfig took a stand-in.
families=$(sed -n 's/.*font-family: *\([^;]*\);.*/\1/p' "$css" | tr ',' '\n' | tr -d ' "' | grep -vx 'serif\|sans-serif\|monospace' | sort -u)
# WeasyPrint names them "SUBSET+Family-Name-Style": the family without blanks.
pdffonts "$work/$name.pdf" | tail -n +3 | awk '{print $1}' \
  | sed 's/^[A-Z]\{6\}+//; s/-\(Bold\|Italic\|BoldItalic\|Oblique\|BoldOblique\)$//; s/-//g' | sort -u >"$work/fonts"
while read -r font; do
  grep -qxF "$font" <<<"$families" || fail "the PDF uses the font $font, which guide.css does not name ($(echo $families))"
done <"$work/fonts"
[ -s "$work/fonts" ] || fail "the PDF embeds no font"

mv "$work/$name.pdf" "$out/$name.pdf"
echo "build-guide: ${#pages[@]} pages, $page_count PDF pages: $out/$name.html, $out/$name.pdf"
