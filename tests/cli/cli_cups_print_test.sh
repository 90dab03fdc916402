#!/usr/bin/env bash
# orvalinden-cli print onto a cups-pdf queue of a CUPS server of our own (see cups-server.sh): a run
# of twelve months is one job of twelve A4 pages, January to December; a printer that does not
# exist is an error with status 1 and no job; a paused queue is said and holds the job, a queue
# that refuses jobs is an error with its reason.
#
# Usage: cli_cups_print_test.sh CLI
# Exit status: 0 passed, 1 failed, 77 skipped (cupsd and the cups-pdf backend need root).
set -uo pipefail

cli=${1:?usage: cli_cups_print_test.sh CLI}
queue=OrvalindenCliPdf

source "$(dirname "$0")/../support/cups-server.sh"
cups_serve_pdf_queue "$queue" "$0" "$@"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A4 sheet of January 2026 (NewDesign's values otherwise), written by the CLI itself.
printf '[About]\r\nSignature=Orvalinden\r\nVersion=1.11\r\n[Calender]\r\nSizeX=210\r\nSizeY=297\r\nYear=2026\r\nMonth=1\r\n' \
    >"$work/design.sav"

out=$("$cli" print "$work/design.sav" --printer NoSuchQueue --months 12 2>&1)
[ $? -eq 1 ] && grep -q "NoSuchQueue" <<<"$out" || fail "an unknown printer: $out"

out=$("$cli" print "$work/design.sav" --printer "$queue" --months 12 2>&1) || fail "print: $out"
jobs=$(lpstat -W all -o | wc -l)
[ "$jobs" -eq 1 ] || fail "expected one job, saw $jobs"
for _ in $(seq 300); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && [ -n "$(ls "$work"/out/*.pdf 2>/dev/null)" ] && break
    sleep 0.1
done
pdf=$(ls -t "$work"/out/*.pdf 2>/dev/null | head -1)
if [ -z "$pdf" ]; then
    fail "no PDF came out of the job"
    tail -20 "$work/log/error_log"
else
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')
    [ "$pages" == 12 ] || fail "pages: $pages"
    [ "$size" == "595 x 842 pts (A4)" ] || fail "page size: $size"
    # The text is read from the job as sent; cups-pdf turns much of it into outlines.
    sent=$(ls -t "$work"/spool/d* | head -1)
    for month in $(seq 12); do
        pdftotext -f "$month" -l "$month" "$sent" - 2>/dev/null | grep -q "2026年${month}月" ||
            fail "page $month does not show 2026年${month}月"
    done
fi

# A paused queue takes the job and holds it: said as a warning, status 0, the job waiting.
cancel -a "$queue" 2>/dev/null
cupsdisable "$queue"
out=$("$cli" print "$work/design.sav" --printer "$queue" 2>&1)
status=$?
[ $status -eq 0 ] || fail "a paused queue: status $status: $out"
grep -q "warning: プリンタ「$queue」は一時停止しています。" <<<"$out" || fail "a paused queue: $out"
[ "$(lpstat -o "$queue" | wc -l)" -eq 1 ] || fail "a paused queue: the job is not waiting"
cancel -a "$queue"
cupsenable "$queue"

# A queue that refuses jobs: an error with its reason, status 1, no job.
cupsreject -r "用紙交換中" "$queue"
out=$("$cli" print "$work/design.sav" --printer "$queue" 2>&1)
status=$?
[ $status -eq 1 ] || fail "a rejecting queue: status $status: $out"
grep -q "error: プリンタ「$queue」は印刷を受け付けていません（用紙交換中）。" <<<"$out" ||
    fail "a rejecting queue: $out"
[ -z "$(lpstat -o "$queue")" ] || fail "a rejecting queue holds a job"
cupsaccept "$queue"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all CLI printing checks passed"
exit 0
