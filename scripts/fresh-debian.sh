# Sourced by CI and by the package test: a minimal Debian 12 made with debootstrap from this
# machine's own apt mirror, and the end of every process left running inside one.

# debian_mirror: the mirror this machine's apt uses, in either source format
debian_mirror() {
    { cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '/^URIs:/ {print $2}'
      cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
          sed -nE 's/^deb +(\[[^]]*\] +)?([^ ]+).*/\2/p'; } | grep -v -- '-security' | head -n 1 || true
}

# make_minbase DIR LOG: a minimal Debian 12 in DIR that reaches the same archive as this machine
# (updates and security included, with the host's settings for reaching it: a snapshot mirror
# needs its date checks off), and whose dpkg, as in container images, does not fsync every file
# (the system is thrown away after its use). debootstrap's words go to LOG.
make_minbase() {
    local dir=$1 log=$2 mirror
    mirror=$(debian_mirror)
    [ -n "$mirror" ] || { echo "no Debian mirror found in this machine's apt sources" >&2; return 1; }
    echo "making a minimal Debian 12 from $mirror in $dir"
    debootstrap --variant=minbase bookworm "$dir" "$mirror" >"$log" 2>&1 ||
        { tail -n 30 "$log"; return 1; }
    rm -f "$dir/etc/apt/sources.list"
    cp -a /etc/apt/sources.list.d/. "$dir/etc/apt/sources.list.d/"
    [ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$dir/etc/apt/"
    { grep -ls '^Acquire' /etc/apt/apt.conf.d/* || true; } | xargs -r cp -t "$dir/etc/apt/apt.conf.d/"
    find "$dir/etc/apt/sources.list.d" -name '*disabled*' -delete
    rm -f "$dir"/var/cache/apt/archives/*.deb
    echo force-unsafe-io >"$dir/etc/dpkg/dpkg.cfg.d/ci-unsafe-io"
}

# end_system DIR: kills what runs with DIR as its root, unmounts what is mounted below it and
# removes it
end_system() {
    local dir=$1 pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$dir" ] && kill -KILL "$pid" 2>/dev/null
    done
    sleep 1
    findmnt -rn -o TARGET | grep -F "$dir" | sort -r | xargs -r -n1 umount -l 2>/dev/null
    rm -rf --one-file-system "$dir"
}
