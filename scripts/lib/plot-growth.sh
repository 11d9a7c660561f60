#!/usr/bin/env bash
# plot-growth.sh FOLDER PNG: draws the rows scripts/bench measured at several sizes (one file
# NAME.dat a row name, lines of SIZE TIME BASELINE) as one chart of four panels, time against
# size on log-log axes, the module's call and its baseline side by side. Needs gnuplot.
set -euo pipefail
folder=$1 png=$2
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
    echo "set terminal pngcairo size 960,720 font 'DejaVu Sans,9'"
    echo "set output '$png'"
    echo "set termoption noenhanced; set logscale xy; set grid; set key top left"
    echo "set ylabel 'time (ms, median)'; set format x '%.0s%c'; set format y '%g'"
    echo "set multiplot layout 2,2 title 'Cost as the work grows: the module (solid) and its baseline (dashed)'"
    panel "kel_dos2unix against CopyFileA" "file size (MiB)" dos2unix kel_dos2unix CopyFileA '#c03030'
    panel "kel_dir against the bare walk" "files in the folder" dir kel_dir "bare walk" '#3060c0'
    panel "kel_find against the bare walk" "files in the tree (100 folders)" find kel_find "bare walk" '#308030'
    panel "kel_sortlist against std::sort" "values in the list" \
        sortlist-strings "kel_sortlist, strings" "std::sort, strings" '#9040a0' \
        sortlist-reals "kel_sortlist, reals" "std::sort, reals" '#d08020'
    echo "unset multiplot"
} | gnuplot
echo "plot: $png"
