#!/usr/bin/env bash
# Prints through the printer layer onto a real CUPS server: a cupsd of our own with its own
# configuration, spool and socket in a temporary folder (any system cupsd is left alone), and a
# cups-pdf queue whose PDF files we read back. Also checks the no-printer errors without a server.
#
# Usage: cups_print_test.sh PROBE   (PROBE: the PrintThroughCups program)
# Exit status: 0 passed, 1 failed, 77 skipped (cupsd and the cups-pdf backend need root).
set -uo pipefail

probe=${1:?usage: cups_print_test.sh PROBE}
queue=OrvalindenPdf

source "$(dirname "$0")/../support/cups-server.sh"
cups_namespace "$0" "$@"
for tool in /usr/sbin/cupsd lpadmin lpstat pdfinfo pdftotext pdftoppm convert unshare mount; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing (scripts/install-deps installs it)"
        exit 1
    fi
done
cups_workspace
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" == "$3" ]; then echo "ok: $1 = $3"; else fail "$1: expected '$2', got '$3'"; fi
}

fact() {  # fact NAME FACTS-TEXT
    sed -n "s/^$1=//p" <<<"$2"
}

export QT_QPA_PLATFORM=offscreen

# --- No CUPS server at all: every query and the job start report "no printer".
export CUPS_SERVER=$work/run/absent.sock
out=$("$probe" noprinter 2>&1)
if [ $? -eq 0 ]; then echo "ok: without a server: $out"; else fail "without a server: $out"; fi

# --- Our own server.
cups_start

# --- A server without any printer is no printer either.
out=$("$probe" noprinter 2>&1)
if [ $? -eq 0 ]; then echo "ok: server without printers: $out"; else fail "no queue: $out"; fi

add_queue() {  # add_queue NAME PPD
    cups_add_queue "$1" "$2" || fail "lpadmin could not add $1"
}
add_queue "$queue" /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d "$queue"

# Waits until every job is done, then gives the newest PDF.
wait_for_pdf() {  # wait_for_pdf COUNT-BEFORE
    for _ in $(seq 300); do
        if [ -z "$(lpstat -o 2>/dev/null)" ]; then
            local count
            count=$(find "$work/out" -name '*.pdf' | wc -l)
            if [ "$count" -gt "$1" ]; then
                ls -t "$work"/out/*.pdf | head -1
                return 0
            fi
        fi
        sleep 0.1
    done
    return 1
}
pdf_count() { find "$work/out" -name '*.pdf' | wc -l; }

# --- The facts, at the driver's own default resolution (not Qt's 1200).
facts=$("$probe" facts 2>&1) || fail "facts: $facts"
check "printer name" "$queue" "$(fact printer "$facts")"
check "resolution" "300 x 300 DPI" "$(fact resolution "$facts")"
check "scale" "100" "$(fact scale "$facts")"
# The driver's A4 is 595 x 842 points.
check "physical page" "2479 x 3508" "$(fact page "$facts")"
check "physical offset" "0 x 0" "$(fact offset "$facts")"
check "summary" "A4 (210mm x 297mm)" "$(fact summary "$facts")"

lpadmin -p "$queue" -o Resolution=600dpi
facts=$("$probe" facts 2>&1) || fail "facts at 600 dpi: $facts"
check "resolution after the driver's default changed" "600 x 600 DPI" "$(fact resolution "$facts")"
check "physical page at 600 dpi" "4958 x 7017" "$(fact page "$facts")"
check "summary at 600 dpi" "A4 (210mm x 297mm)" "$(fact summary "$facts")"
lpadmin -p "$queue" -o Resolution=300dpi

# --- A page with text arrives as a PDF of the paper's size holding the text.
before=$(pdf_count)
out=$("$probe" print 2>&1) || fail "print: $out"
if pdf=$(wait_for_pdf "$before"); then
    size=$(pdfinfo "$pdf" | sed -n 's/^Page size: *//p')
    check "printed page size" "595 x 842 pts (A4)" "$size"
    text=$(pdftotext "$pdf" - 2>/dev/null)
    if grep -q "Orvalinden printer layer page" <<<"$text" && grep -q "2026 12 31" <<<"$text"; then
        echo "ok: the printed page holds its text"
    else
        fail "the printed page lacks its text: $text"
    fi
    # cups-pdf names the file after the job's title.
    case "$(basename "$pdf")" in
        *Orvalinden*) echo "ok: the job is titled Orvalinden ($(basename "$pdf"))" ;;
        *) fail "the job's title is not Orvalinden: $(basename "$pdf")" ;;
    esac
else
    fail "no PDF came out of the print job"
    tail -20 "$work/log/error_log"
fi

# --- A whole calendar design through the output driver: A5 with its cut frame at the print
# position (10, 20) mm. On its way to cups-pdf the PDF becomes PostScript, which keeps the
# drawing but turns much of the text into outlines; the text is read from the job as we sent it.
check_calendar() {  # check_calendar WHAT
    local before pdf extent w h x y sent text
    before=$(pdf_count)
    out=$("$probe" calendar 2>&1) || fail "$1: $out"
    if ! pdf=$(wait_for_pdf "$before"); then
        fail "no PDF came out of the $1 job"
        return
    fi
    check "$1: page size" "595 x 842 pts (A4)" "$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Page size: *//p')"
    # The drawing's extent at 72 dpi (a pixel is a point): the cut frame, 148 x 210 mm at 10, 20 mm.
    pdftoppm -gray -r 72 -singlefile "$pdf" "$work/calendar" 2>/dev/null
    extent=$(convert "$work/calendar.pgm" -trim -format '%w %h %X %Y' info: 2>/dev/null)
    read -r w h x y <<<"${extent//+/}"
    if awk -v w="$w" -v h="$h" -v x="$x" -v y="$y" \
        'BEGIN { exit !(w >= 418 && w <= 422 && h >= 593 && h <= 598 && x >= 27 && x <= 29 && y >= 55 && y <= 58) }'; then
        echo "ok: $1 sits at its print position in true millimetres ($extent pt)"
    else
        fail "$1 is not where it belongs: $extent (pt: width height left top)"
    fi
    sent=$(ls -t "$work"/spool/d* | head -1)
    text=$(pdftotext "$sent" - 2>/dev/null)
    if grep -q "2026年1月" <<<"$text" && grep -qw "31" <<<"$text"; then
        echo "ok: $1's job holds its text as text"
    else
        fail "$1's job lacks its text: $text"
    fi
}
check_calendar "the calendar"

# --- A dropped job prints nothing.
jobs_before=$(lpstat -W all -o | wc -l)
out=$("$probe" abort 2>&1) || fail "abort: $out"
check "jobs after an aborted job" "$jobs_before" "$(lpstat -W all -o | wc -l)"

# --- A run of months cancelled after three pages sends no job.
out=$("$probe" cancelled-months 2>&1) || fail "cancelled months: $out"
check "jobs after a cancelled run of months" "$jobs_before" "$(lpstat -W all -o | wc -l)"

# --- A job the printing system refuses is a failure, and leaves no temporary file.
out=$("$probe" refused 2>&1)
if [ $? -eq 0 ]; then echo "ok: $out"; else fail "refused job: $out"; fi
leftovers=$(find "$work/tmp" -name 'orvalinden-job-*' | wc -l)
check "job files left behind" "0" "$leftovers"

# --- A driver with an unprintable border: the origin is the printable area's corner.
sed -e 's/^\*ImageableArea A4\/A4: .*/*ImageableArea A4\/A4: "18 36 577 806"/' \
    -e 's/^\*HWMargins: .*/*HWMargins: 18 36 18 36/' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$work/margins.ppd"
add_queue OrvalindenMargins "$work/margins.ppd"
lpadmin -d OrvalindenMargins
facts=$("$probe" facts 2>&1) || fail "facts with margins: $facts"
check "physical offset with margins" "75 x 150" "$(fact offset "$facts")"
check "margin command with margins" "12 x 25" "$(fact margin "$facts")"
before=$(pdf_count)
out=$("$probe" print 2>&1) || fail "print with margins: $out"
if pdf=$(wait_for_pdf "$before"); then
    # The mark's cell starts at the printable corner: 18 pt from the left, 36 pt from the top.
    box=$(pdftotext -bbox "$pdf" - 2>/dev/null | grep '>ORIGINMARK<' | head -1)
    x=$(sed -n 's/.*xMin="\([0-9.]*\)".*/\1/p' <<<"$box")
    y=$(sed -n 's/.*yMin="\([0-9.]*\)".*/\1/p' <<<"$box")
    if [ -n "$x" ] && awk -v x="$x" -v y="$y" 'BEGIN { exit !(x >= 17.5 && x < 22 && y >= 35.5 && y < 42) }'; then
        echo "ok: the origin lies at the printable corner (mark at $x, $y pt)"
    else
        fail "the origin is not the printable corner: mark at '$x', '$y' ($box)"
    fi
else
    fail "no PDF came out of the print job with margins"
fi

# --- A printer whose dots are not square: the sheet keeps its true size and place.
sed -e 's/^\*DefaultResolution: .*/*DefaultResolution: 600x300dpi\n*Resolution 600x300dpi\/600 x 300 DPI: "<<\/HWResolution[600 300]>>setpagedevice"/' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$work/wide.ppd"
add_queue OrvalindenWide "$work/wide.ppd"
lpadmin -d OrvalindenWide
facts=$("$probe" facts 2>&1) || fail "facts at 600 x 300 dpi: $facts"
check "resolution of dots that are not square" "600 x 300 DPI" "$(fact resolution "$facts")"
check_calendar "the calendar at 600 x 300 dpi"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all CUPS checks passed"
exit 0
