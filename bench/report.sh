#!/usr/bin/env bash
# Times building each calculator's report PDF from its sample illustration (rmdbatch report)
# against LibreOffice converting the same merged RTF (rmdbatch merge) to PDF, and prints the
# median times and their ratios: bench/report.sh [RUNS]. Target: rmdbatch at least 20 times
# faster for every calculator, the Stretch report with all five pages. Then the same reports
# built inside one running process (reportbench), as the desktop window builds them, against
# the same LibreOffice figures. Not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}
build=${BUILD_DIR:-build}

# LibreOffice is needed by this benchmark only.
if ! command -v soffice >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq libreoffice-writer-nogui
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target rmdbatch reportbench supportarchive >/dev/null
rmdbatch="$build/bin/rmdbatch"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A profile of its own, made by an untimed first run, so no run pays for creating one.
profile="file://$work/profile"
common=(--rep samples/rep.json --today 12/06/2025)

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

printf '%-8s %6s %14s %16s %8s\n' sample pages "rmdbatch ms" "LibreOffice ms" ratio
worst=""
declare -A libreoffice
for sample in rmd rmbd sepp stretch; do
    input="samples/$sample.json"
    "$rmdbatch" merge --input "$input" "${common[@]}" >"$work/$sample.rtf"
    # Untimed first runs: fonts and libraries in the cache, LibreOffice's profile made.
    "$rmdbatch" report --input "$input" --pdf "$work/$sample.pdf" "${common[@]}" >/dev/null 2>&1
    soffice -env:UserInstallation="$profile" --headless --convert-to pdf --outdir "$work/lo" \
        "$work/$sample.rtf" >/dev/null 2>&1
    ours=()
    theirs=()
    for ((run = 0; run < runs; run++)); do
        start=$(now_ms)
        "$rmdbatch" report --input "$input" --pdf "$work/$sample.pdf" "${common[@]}" \
            >/dev/null 2>&1
        ours+=("$(awk -v a="$start" -v b="$(now_ms)" 'BEGIN { print b - a }')")
        start=$(now_ms)
        soffice -env:UserInstallation="$profile" --headless --convert-to pdf \
            --outdir "$work/lo" "$work/$sample.rtf" >/dev/null 2>&1
        theirs+=("$(awk -v a="$start" -v b="$(now_ms)" 'BEGIN { print b - a }')")
    done
    ours_ms=$(printf '%s\n' "${ours[@]}" | median)
    theirs_ms=$(printf '%s\n' "${theirs[@]}" | median)
    libreoffice[$sample]=$theirs_ms
    ratio=$(awk -v a="$ours_ms" -v b="$theirs_ms" 'BEGIN { printf "%.1f", b / a }')
    pages=$(pdfinfo "$work/$sample.pdf" | awk '/^Pages:/ { print $2 }')
    printf '%-8s %6s %14.1f %16.1f %7sx\n' "$sample" "$pages" "$ours_ms" "$theirs_ms" "$ratio"
    if awk -v r="$ratio" 'BEGIN { exit !(r < 20) }'; then
        worst="$worst $sample"
    fi
done
if [ -n "$worst" ]; then
    echo "below the 20x target:$worst"
else
    echo "every report at least 20x faster than LibreOffice"
fi

echo
echo "inside one process (first build, then the median of the builds after it):"
printf '%-8s %14s %14s %16s %8s\n' sample "first ms" "median ms" "LibreOffice ms" ratio
"$build/bin/reportbench" "$build/bin/rmdcalc.icf" samples "$((runs + 1))" 2>/dev/null |
    while read -r sample first warm; do
        [ "$sample" = sample ] && continue
        theirs_ms=${libreoffice[$sample]}
        ratio=$(awk -v a="$warm" -v b="$theirs_ms" 'BEGIN { printf "%.1f", b / a }')
        printf '%-8s %14.1f %14.1f %16.1f %7sx\n' "$sample" "$first" "$warm" "$theirs_ms" "$ratio"
    done
