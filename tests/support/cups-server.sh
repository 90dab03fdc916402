# A CUPS server of the tests' own, sourced by the print tests: configuration, spool and socket
# in a temporary folder, with a cups-pdf queue whose PDF files land in "$work/out". Any system
# cupsd is left alone. cups-pdf reads its configuration from /etc/cups only, so the sourcing
# script runs itself in a private mount namespace where ours is laid over it.
#
# Sourcing script: call cups_namespace "$0" "$@" first, then cups_start; "$work" is the folder.
# Or, for one cups-pdf queue as the default printer: cups_serve_pdf_queue NAME "$0" "$@".

cups_namespace() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: printing through CUPS needs root (cupsd and the cups-pdf backend run as root)"
        exit 77
    fi
    if [ ! -f /etc/cups/cups-pdf.conf ] || [ ! -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
        echo "FAIL: printer-driver-cups-pdf is not installed"
        exit 1
    fi
    if [ -z "${ORV_CUPS_TEST_NAMESPACE:-}" ]; then
        exec unshare --mount --propagation private env ORV_CUPS_TEST_NAMESPACE=1 "$@"
    fi
}

cups_cleanup() {
    if [ -n "${cupsd_pid:-}" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill "$cupsd_pid"
        wait "$cupsd_pid" 2>/dev/null
    fi
    umount /etc/cups/cups-pdf.conf 2>/dev/null
    rm -rf "$work"
}

# Makes "$work" and its folders, and exports TMPDIR and XDG_RUNTIME_DIR into it.
cups_workspace() {
    work=$(mktemp -d /tmp/orv-cups-test-XXXXXX)
    chmod 755 "$work"
    cupsd_pid=""
    trap cups_cleanup EXIT
    trap 'exit 1' INT TERM
    mkdir -p "$work"/{conf,spool/tmp,cache,state,log,run,out,tmp,xdg}
    chmod 700 "$work/xdg"
    export TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/xdg
}

# Starts our cupsd and points CUPS_SERVER at it; exits the test when it does not come up.
cups_start() {
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
    export CUPS_SERVER=$work/run/cups.sock
    for _ in $(seq 100); do
        lpstat -r >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "FAIL: our cupsd did not start"
    cat "$work/log/error_log" 2>/dev/null
    exit 1
}

# Adds a cups-pdf queue; a server that has just started may still turn a connection away, so it
# tries a few times. The PDF becomes PostScript on its way to cups-pdf; pdftocairo keeps the text.
cups_add_queue() {  # cups_add_queue NAME PPD
    for _ in $(seq 20); do
        lpadmin -p "$1" -E -v cups-pdf:/ -P "$2" -o pdftops-renderer-default=pdftocairo 2>/dev/null && return 0
        sleep 0.2
    done
    return 1
}

# The namespace, the workspace, the server and one cups-pdf queue NAME as the default printer.
cups_serve_pdf_queue() {  # cups_serve_pdf_queue NAME "$0" "$@"
    local name=$1
    shift
    cups_namespace "$@"
    cups_workspace
    cups_start
    cups_add_queue "$name" /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd && lpadmin -d "$name" ||
        { echo "FAIL: lpadmin could not add the queue"; exit 1; }
}
