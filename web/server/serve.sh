#!/usr/bin/env bash
# Serves an assembled site with nginx.conf and site.conf, as the calling user,
# in the foreground, on 127.0.0.1:PORT only:
#
#   web/server/serve.sh SITE PORT PREFIX
#
# PREFIX is a folder of the caller's (made when missing) for the
# configuration, the pid file, the logs and nginx's temporary files; the
# caller removes it afterwards. The process ends up as nginx itself (exec),
# so the caller's process id is the server's: SIGTERM, SIGINT or SIGQUIT
# stops it. Runs until stopped.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 SITE PORT PREFIX" >&2
    exit 2
fi
site=$1 port=$2 prefix=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ ! -f "$site/index.html" ]; then
    echo "$site holds no assembled site (no index.html)" >&2
    exit 2
fi
if ! [[ $port =~ ^[0-9]+$ ]] || [ "$port" -lt 1024 ] || [ "$port" -gt 65535 ]; then
    echo "port $port: give a number from 1024 to 65535" >&2
    exit 2
fi

mkdir -p "$prefix/conf" "$prefix/logs" "$prefix/temp"
prefix=$(cd "$prefix" && pwd)
for file in nginx.conf site.conf; do
    ln -sfn "$here/$file" "$prefix/conf/$file"
done
# nginx.conf names its root relative to the prefix, so no path of ours has to
# be written into a configuration file.
ln -sfn "$(cd "$site" && pwd)" "$prefix/site"
printf 'listen 127.0.0.1:%s;\n' "$port" >"$prefix/conf/listen.conf"

# Started by root, nginx would hand its work to the user "nobody", who may
# not read the site; the calling user it is, whoever that is.
settings='daemon off;'
if [ "$(id -u)" -eq 0 ]; then
    settings+=" user root root;"
fi
exec /usr/sbin/nginx -p "$prefix/" -c conf/nginx.conf -g "$settings"
