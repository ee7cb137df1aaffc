#!/bin/sh
# Starts and ends an unrelated LibreOffice over and over, as another user of the machine would, so that the
# office tests can be run beside it: they must look only at the offices they started themselves.
#   scripts/unrelated-office-loop.sh [SECONDS]     (default: until interrupted)
set -u
soffice=${SOFFICE:-/usr/lib/libreoffice/program/soffice}
work=$(mktemp -d "${TMPDIR:-/tmp}/unrelated-office-XXXXXX")
trap 'kill -9 -"$group" 2>/dev/null; rm -rf -- "$work"; exit 0' INT TERM EXIT
end=$(( $(date +%s) + ${1:-999999999} ))
round=0
while [ "$(date +%s)" -lt "$end" ]; do
    round=$((round + 1))
    # A process group of its own, so the office and its helpers end together.
    setsid "$soffice" -env:UserInstallation="file://$work/profile-$round" --headless --invisible --norestore \
        --nologo --nodefault --accept="pipe,name=unrelated-office-$$-$round;urp;" >/dev/null 2>&1 &
    group=$!
    sleep "$(( round % 3 + 1 ))"
    # Ended in turns cleanly and by force, which leaves its pipe sockets behind as a crash would.
    if [ $((round % 2)) -eq 0 ]; then kill -TERM -"$group" 2>/dev/null; else kill -9 -"$group" 2>/dev/null; fi
    wait "$group" 2>/dev/null
    rm -rf -- "$work/profile-$round"
done
