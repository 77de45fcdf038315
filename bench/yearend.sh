#!/usr/bin/env bash
# Year-end reports of a database of 1,000 illustrations (250 of each calculator, the Stretch
# report with all five pages): rmdbatch batch on one core against LibreOffice converting the
# same number of merged RTFs (rmdbatch merge) in soffice calls of 200, then rmdbatch batch on every
# core; prints the time per document, the ratios and each run's peak memory, and the peak of a
# run four times smaller (flat memory: the peak must not grow with the illustrations).
# bench/yearend.sh [ILLUSTRATIONS]. Targets: 10x LibreOffice per document on one core, peak
# memory under 300 MB. Not part of the tests; RMDBATCH=PATH times a program already built.
set -euo pipefail
cd "$(dirname "$0")/.."
count=${1:-1000}
build=${BUILD_DIR:-build}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
install() {
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "$@"
}
# LibreOffice and GNU time are needed by this benchmark only.
command -v soffice >/dev/null || install libreoffice-writer-nogui
[ -x /usr/bin/time ] || install time

# RMDBATCH names a program already built (with rmdcalc.icf beside it) instead of a Release build.
if [ -n "${RMDBATCH:-}" ]; then
    rmdbatch=$RMDBATCH
else
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" -j"$(nproc)" --target rmdbatch supportarchive >/dev/null
    rmdbatch="$build/bin/rmdbatch"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
common=(--rep samples/rep.json --today 12/06/2025)

# The database: the four samples saved, then copied record by record with a last name of
# their own ("Sample" becomes S00001...), each record carrying its own number.
make_database() { # folder count
    mkdir -p "$1"
    for sample in rmd rmbd sepp stretch; do
        "$rmdbatch" save --input "samples/$sample.json" --data-folder "$1" --today 12/06/2025 \
            >/dev/null
    done
    python3 - "$1/rmdcalc.flt" "$2" <<'PY'
import sys
path, count = sys.argv[1], int(sys.argv[2])
data = open(path, 'rb').read()
samples = [data[i * 1000:(i + 1) * 1000] for i in range(4)]
out = bytearray()
for number in range(1, count + 1):
    record = bytearray(samples[(number - 1) % 4].replace(b'Sample', b'S%05d' % number))
    record[460:466] = str(number).ljust(6).encode()  # "3-DatabaseIndex", position 461
    out += record
open(path, 'wb').write(bytes(out))
PY
}

# Runs a command under GNU time: prints "seconds peak-kB cpu-seconds". The processor time is
# the steadier figure on a machine doing other work.
measure() {
    /usr/bin/time -f '%e %M %U %S' -o "$work/time.txt" "$@" >/dev/null 2>"$work/err.txt" || {
        status=$?
        [ "$status" -eq 2 ] || { cat "$work/err.txt" >&2; exit "$status"; }
    }
    awk '{ print $1, $2, $3 + $4 }' "$work/time.txt"
}

make_database "$work/data" "$count"
make_database "$work/small" "$((count / 4))"
mkdir -p "$work/rtf"
for sample in rmd rmbd sepp stretch; do
    "$rmdbatch" merge --input "samples/$sample.json" "${common[@]}" >"$work/$sample.rtf"
done
for ((number = 1; number <= count; number++)); do
    samples=(rmd rmbd sepp stretch)
    cp "$work/${samples[$(((number - 1) % 4))]}.rtf" "$work/rtf/$(printf 'r%05d' "$number").rtf"
done

# Untimed first runs: fonts and libraries in the cache, LibreOffice's profile made.
profile="file://$work/profile"
soffice -env:UserInstallation="$profile" --headless --convert-to pdf --outdir "$work/warm" \
    "$work/rmd.rtf" >/dev/null 2>&1
"$rmdbatch" batch --data-folder "$work/small" --out "$work/warm" --jobs 1 "${common[@]}" \
    >/dev/null 2>&1 || true

# soffice silently stops reading its file list after about 250 paths, so the documents go in
# calls of 200: one start of LibreOffice per 200 documents.
read -r lo_s lo_kb lo_cpu < <(measure bash -c 'cd "$1" && printf "%s\n" *.rtf |
    xargs -n 200 soffice -env:UserInstallation="$2" --headless --convert-to pdf --outdir "$3"' \
    _ "$work/rtf" "$profile" "$work/lo")
read -r one_s one_kb one_cpu < <(measure "$rmdbatch" batch --data-folder "$work/data" --out "$work/one" \
    --jobs 1 --summary "$work/one.csv" "${common[@]}")
read -r all_s all_kb all_cpu < <(measure "$rmdbatch" batch --data-folder "$work/data" --out "$work/all" \
    --jobs "$(nproc)" --summary "$work/all.csv" "${common[@]}")
read -r small_s small_kb small_cpu < <(measure "$rmdbatch" batch --data-folder "$work/small" \
    --out "$work/smallout" --jobs 1 "${common[@]}")

written=$(find "$work/one" -name '*.pdf' | wc -l)
converted=$(find "$work/lo" -name '*.pdf' | wc -l)
per_doc() { awk -v s="$1" -v n="$2" 'BEGIN { printf "%.1f", 1000 * s / n }'; }
printf '%-34s %8s %10s %12s %12s %12s %10s\n' run documents "ms/doc" "ratio to LO" \
    "CPU ms/doc" "CPU ratio" "peak MB"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", b / a }'; }
row() { # name seconds kB documents cpu-seconds
    local ms cpu
    ms=$(per_doc "$2" "$4")
    cpu=$(per_doc "$5" "$4")
    printf '%-34s %8s %10s %12s %12s %12s %10.1f\n' "$1" "$4" "$ms" \
        "$(ratio "$ms" "$(per_doc "$lo_s" "$converted")")" "$cpu" \
        "$(ratio "$cpu" "$(per_doc "$lo_cpu" "$converted")")" \
        "$(awk -v k="$3" 'BEGIN { print k / 1024 }')"
}
row "LibreOffice, calls of 200" "$lo_s" "$lo_kb" "$converted" "$lo_cpu"
row "rmdbatch batch --jobs 1" "$one_s" "$one_kb" "$written" "$one_cpu"
row "rmdbatch batch --jobs $(nproc)" "$all_s" "$all_kb" "$written" "$all_cpu"
row "rmdbatch batch --jobs 1, $((count / 4)) illustrations" "$small_s" "$small_kb" "$((count / 4))" \
    "$small_cpu"
cmp -s "$work/one.csv" "$work/all.csv" && echo "summaries of --jobs 1 and --jobs $(nproc) identical" ||
    echo "summaries of --jobs 1 and --jobs $(nproc) DIFFER"
