#!/usr/bin/env bash
# plot-growth.sh FOLDER PNG: draws the rows scripts/bench measured at several sizes (in
# FOLDER/growth-32 and FOLDER/growth-64, one file NAME.dat a row name, lines of SIZE TIME
# BASELINE) as one chart, a row of four panels a build (32-bit above, 64-bit below), time
# against size on log-log axes, the module's call and its baseline side by side. A build not
# measured has empty panels. Needs gnuplot.
set -euo pipefail
top=$1 png=$2
command -v gnuplot >/dev/null || { echo "plot-growth: gnuplot is missing (scripts/setup installs it)" >&2; exit 1; }

# panel TITLE XLABEL (NAME LABEL BASELINE-LABEL COLOUR)...: one panel's plot command, or an
# empty panel when none of its rows was measured.
panel() {
    local title=$1 xlabel=$2 parts=() name label base colour
    shift 2
    while [ $# -gt 0 ]; do
        name=$1 label=$2 base=$3 colour=$4
        shift 4
        [ -s "$folder/$name.dat" ] || continue
        parts+=("'$folder/$name.dat' using 1:(\$2/1000) with linespoints lw 2 pt 7 lc rgb '$colour' title '$label'")
        parts+=("'' using 1:(\$3/1000) with linespoints lw 2 pt 6 dt 2 lc rgb '$colour' title '$base'")
    done
    echo "set title '$title'; set xlabel '$xlabel'"
    if [ ${#parts[@]} -eq 0 ]; then
        echo "unset key; set label 1 'not measured' at graph 0.4, 0.5; plot [1:10] [1:10] NaN notitle; unset label 1; set key"
    else
        local IFS=,
        echo "plot ${parts[*]}"
    fi
}

{
    echo "set terminal pngcairo size 1600,760 font 'DejaVu Sans,9'"
    echo "set output '$png'"
    echo "set termoption noenhanced; set logscale xy; set grid; set key top left"
    echo "set ylabel 'time (ms, median)'; set format x '%.0s%c'; set format y '%g'"
    echo "set multiplot layout 2,4 title 'Cost as the work grows: the module (solid) and its baseline (dashed); 32-bit build above, 64-bit below'"
    for build in 32 64; do
        folder=$top/growth-$build
        panel "$build-bit: file rewrites against CopyFileA" "file size (MiB)" \
            dos2unix kel_dos2unix "CopyFileA, same file" '#c03030' \
            unix2dos kel_unix2dos "CopyFileA, same file" '#3090a0' \
            encrypt kel_encrypt "CopyFileA, same file" '#707070'
        panel "$build-bit: kel_dir against the bare walk" "files in the folder" dir kel_dir "bare walk" '#3060c0'
        panel "$build-bit: kel_find against the bare walk" "files in the tree (100 folders)" find kel_find "bare walk" '#308030'
        panel "$build-bit: kel_sortlist against std::sort" "values in the list" \
            sortlist-strings "kel_sortlist, strings" "std::sort, strings" '#9040a0' \
            sortlist-reals "kel_sortlist, reals" "std::sort, reals" '#d08020'
    done
    echo "unset multiplot"
} | gnuplot
echo "plot: $png"
