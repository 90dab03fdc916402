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

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: printing through CUPS needs root (cupsd and the cups-pdf backend run as root)"
    exit 77
fi
if [ ! -f /etc/cups/cups-pdf.conf ] || [ ! -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
    echo "FAIL: printer-driver-cups-pdf is not installed"
    exit 1
fi

# cups-pdf reads its configuration from /etc/cups only: lay ours over it in a private mount
# namespace that the system never sees.
if [ -z "${ORV_CUPS_TEST_NAMESPACE:-}" ]; then
    exec unshare --mount --propagation private env ORV_CUPS_TEST_NAMESPACE=1 "$0" "$@"
fi

work=$(mktemp -d /tmp/orv-window-cups-XXXXXX)
chmod 755 "$work"
cupsd_pid=""
cleanup() {
    if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill "$cupsd_pid"
        wait "$cupsd_pid" 2>/dev/null
    fi
    umount /etc/cups/cups-pdf.conf 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

mkdir -p "$work"/{conf,spool/tmp,cache,state,log,run,out,tmp,xdg}
chmod 700 "$work/xdg"
cat >"$work/conf/cupsd.conf" <<CONF
LogLevel info
Listen $work/run/cups.sock
Browsing No
WebInterface No
PreserveJobFiles Yes
DefaultAuthType None
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/conf/cups-files.conf" <<CONF
ServerRoot $work/conf
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/run/printcap
User lp
Group lp
SystemGroup root
CONF
printf 'Out %s\nAnonDirName %s\nLabel 1\n' "$work/out" "$work/out" >"$work/conf/cups-pdf.conf"
mount --bind "$work/conf/cups-pdf.conf" /etc/cups/cups-pdf.conf || { echo "FAIL: bind mount"; exit 1; }

/usr/sbin/cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=$work/run/cups.sock TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/xdg
for _ in $(seq 100); do
    lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
    echo "FAIL: our cupsd did not start"
    cat "$work/log/error_log" 2>/dev/null
    exit 1
fi
# A server that has just started may still turn a connection away: try a few times.
added=""
for _ in $(seq 20); do
    if lpadmin -p "$queue" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo 2>/dev/null && lpadmin -d "$queue" 2>/dev/null; then
        added=yes
        break
    fi
    sleep 0.2
done
[ -n "$added" ] || { echo "FAIL: lpadmin could not add the queue"; exit 1; }

ORV_CUPS_PDF_FOLDER=$work/out ORV_CUPS_SPOOL_FOLDER=$work/spool QT_QPA_PLATFORM=offscreen QTEST_DISABLE_STACK_DUMP=1 \
    "$tests" CupsPrintTest
status=$?
[ $status -ne 0 ] && tail -20 "$work/log/error_log"
exit $status
