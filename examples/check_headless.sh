#!/usr/bin/env bash
# Runs the headless example and reads its files back as a user would: the PDF
# keeps its text (caption, axis captions, tick labels), and the SVG and the PDF
# rendered back look like the PNG the same drawing code wrote.
set -euo pipefail
example=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
"$example" "$out"
text=$(pdftotext "$out/headless_chart.pdf" -)
for word in "Damped oscillation" "t [s]" "x [mm]" "10.0"; do
  grep -qF -- "$word" <<<"$text" || { echo "the PDF has no text \"$word\""; exit 1; }
done
rsvg-convert "$out/headless_chart.svg" -o "$out/svg-back.png"
pdftoppm -png -r 96 -singlefile "$out/headless_chart.pdf" "$out/pdf-back"
for back in svg-back pdf-back; do
  # Mean absolute difference per channel, 0..1: antialiased vector edges
  # against the raster's, nothing more.
  mae=$( (compare -metric MAE "$out/headless_chart.png" "$out/$back.png" null: 2>&1 || true) | sed -E 's/.*\((.*)\).*/\1/')
  echo "$back: mean difference $mae"
  python3 -c "import sys; sys.exit(0 if float('$mae') < 0.03 else 1)" ||
    { echo "$back differs too much from the raster picture"; exit 1; }
done
echo "headless example: PNG, SVG and PDF agree"
