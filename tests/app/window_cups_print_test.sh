#!/usr/bin/env bash
# Prints a design through the window's print path onto a cups-pdf queue of a CUPS server of our
# own (configuration, spool and socket in a temporary folder; any system cupsd is left alone) and
# lets the test compare the printed PDF with the command line's PDF export.
#
# Usage: window_cups_print_test.sh APP-TESTS   (the window's test program)
# Exit status: 0 passed, 1 failed, 77 skipped (cupsd and the cups-pdf backend need root).
set -uo pipefail

tests=${1:?usage: window_cups_print_test.sh APP-TESTS}
queue=OrvalindenWindowPdf

source "$(dirname "$0")/../support/cups-server.sh"
cups_serve_pdf_queue "$queue" "$0" "$@"

ORV_CUPS_PDF_FOLDER=$work/out ORV_CUPS_SPOOL_FOLDER=$work/spool QT_QPA_PLATFORM=offscreen QTEST_DISABLE_STACK_DUMP=1 \
    "$tests" CupsPrintTest
status=$?
[ $status -ne 0 ] && tail -20 "$work/log/error_log"
exit $status
