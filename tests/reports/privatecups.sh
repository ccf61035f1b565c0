# A private CUPS scheduler for the print tests, sourced by their scripts:
# started in the foreground of its own configuration folder on a spare
# loopback port (no systemd, no system socket), with one PDF queue
# (cups-pdf) as its default printer. Programs reach it through CUPS_SERVER.
# The scheduler is stopped and every file it made removed by cups_stop.
#
#   cups_start FOLDER   starts it under FOLDER; on failure returns 1 with
#                       the reason in $cups_reason
#   cups_pdfs           the PDF files the queue has written, oldest first
#   cups_wait COUNT SECONDS   waits until COUNT PDF files are complete
#   cups_stop           stops the scheduler and removes its files

cups_pid=""
cups_folder=""
cups_instance=""
cups_reason=""
cups_queue="TallyoPDF"

cups_start() {
    cups_folder=$1
    local cupsd lpadmin
    cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
    lpadmin=$(command -v lpadmin || echo /usr/sbin/lpadmin)
    if [ ! -x "$cupsd" ] || [ ! -x "$lpadmin" ] || ! command -v lpstat >/dev/null; then
        cups_reason="the CUPS scheduler is not installed (Debian packages cups and cups-client)"; return 1
    fi
    if [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
        cups_reason="the PDF queue's backend is not installed (Debian package printer-driver-cups-pdf)"; return 1
    fi
    if [ "$(id -u)" -ne 0 ]; then
        # cups-pdf writes its files only when the scheduler can run it as root.
        cups_reason="the PDF queue needs a scheduler started as root"; return 1
    fi
    if ! getent group lp >/dev/null; then
        cups_reason="the system has no group lp for the print filters"; return 1
    fi

    # The queue's own backend configuration: cups-pdf reads it from the
    # system folder, named after the queue's device address.
    cups_instance="tallyo-test-$$-$RANDOM"
    local etc=$cups_folder/etc spool=$cups_folder/spool
    mkdir -p "$etc/ppd" "$spool/tmp" "$cups_folder/cache" "$cups_folder/run" "$cups_folder/log" \
        "$cups_folder/pdf" "$cups_folder/pdf-spool" "$cups_folder/home"
    chmod 755 "$cups_folder" "$cups_folder/pdf" "$cups_folder/home"
    chgrp lp "$spool" "$cups_folder/cache" "$cups_folder/run" && chmod 770 "$spool" "$cups_folder/cache" "$cups_folder/run"
    chmod 1777 "$spool/tmp" "$cups_folder/pdf-spool"
    cat > "/etc/cups/cups-pdf-$cups_instance.conf" <<CONF
Out $cups_folder/pdf
AnonDirName $cups_folder/pdf
Spool $cups_folder/pdf-spool
Label 2
Log $cups_folder/log
LogType 1
Grp root
CONF

    local port tries
    for tries in 1 2 3 4 5; do
        port=$(( 20000 + RANDOM % 20000 ))
        (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && continue
        cat > "$etc/cups-files.conf" <<CONF
ServerRoot $etc
RequestRoot $spool
TempDir $spool/tmp
CacheDir $cups_folder/cache
StateDir $cups_folder/run
ErrorLog $cups_folder/log/error_log
AccessLog $cups_folder/log/access_log
PageLog $cups_folder/log/page_log
FileDevice No
Sandboxing Relaxed
User lp
Group lp
SystemGroup root
CONF
        cat > "$etc/cupsd.conf" <<CONF
LogLevel warn
Listen 127.0.0.1:$port
Browsing No
WebInterface No
DefaultAuthType None
DefaultShared No
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
        "$cupsd" -f -c "$etc/cupsd.conf" -s "$etc/cups-files.conf" &
        cups_pid=$!
        export CUPS_SERVER=127.0.0.1:$port
        local waited
        for waited in $(seq 100); do
            kill -0 "$cups_pid" 2>/dev/null || break
            lpstat -r 2>/dev/null | grep -q "is running" && break
            sleep 0.1
        done
        if lpstat -r 2>/dev/null | grep -q "is running"; then
            # PDF reaches the queue's PostScript through cairo, which keeps
            # the text readable in the PDF that comes out.
            if "$lpadmin" -p "$cups_queue" -E -v "cups-pdf:/$cups_instance" \
                    -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -o pdftops-renderer-default=pdftocairo \
                    >"$cups_folder/log/lpadmin" 2>&1 &&
                "$lpadmin" -d "$cups_queue" >>"$cups_folder/log/lpadmin" 2>&1; then
                return 0
            fi
            cups_reason="the PDF queue could not be added: $(tail -n 3 "$cups_folder/log/lpadmin")"
            cups_stop_scheduler
            return 1
        fi
        cups_stop_scheduler
        cups_reason="the scheduler did not start: $(tail -n 3 "$cups_folder/log/error_log" 2>/dev/null)"
    done
    return 1
}

cups_stop_scheduler() {
    if [ -n "$cups_pid" ]; then
        kill "$cups_pid" 2>/dev/null
        wait "$cups_pid" 2>/dev/null
        cups_pid=""
    fi
    unset CUPS_SERVER
}

cups_pdfs() {
    ls -1tr "$cups_folder"/pdf/*.pdf 2>/dev/null
}

# Complete: the scheduler holds no unfinished job and the files are there.
cups_wait() {
    local count=$1 seconds=$2 waited
    for waited in $(seq $(( seconds * 10 ))); do
        if [ "$(cups_pdfs | wc -l)" -ge "$count" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

cups_stop() {
    cups_stop_scheduler
    [ -n "$cups_instance" ] && rm -f "/etc/cups/cups-pdf-$cups_instance.conf"
    cups_instance=""
}
