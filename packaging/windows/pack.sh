#!/usr/bin/env bash
# Packs the Windows files that the build staged (cmake/WindowsPackaging.cmake)
# into OUTDIR:
#   offset-calculators-VERSION-x64.msi           the installer (wixl)
#   offset-calculators-VERSION-x64-portable.zip  the programs, the licence
#                                                and the read-me
# and prints their paths.
#
#   pack.sh STAGE OUTDIR
#
# Signing: with OFFSET_SIGN_PKCS12 naming a PKCS#12 file (certificate and
# key) and OFFSET_SIGN_PASSWORD holding its password, osslsigncode signs each
# program before it goes into the installer and the zip, then the installer.
# OFFSET_SIGN_TIMESTAMP_URL, if set, names an RFC 3161 time-stamp server, so
# that the signatures stay valid after the certificate expires. The password
# reaches osslsigncode in a file only this user can read, never on a command
# line. Without OFFSET_SIGN_PKCS12 the package is unsigned, and says so.
set -euo pipefail

[ "$#" -eq 2 ] || {
    echo "usage: pack.sh STAGE OUTDIR" >&2
    exit 2
}
stage=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$(<"$stage/version")
url=$(<"$stage/url")
msi=offset-calculators-$version-x64.msi
zip=offset-calculators-$version-x64-portable.zip
portable=(twinoffset.exe solooffset.exe offsetcalc.exe LICENSE.txt README.txt)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Signed copies are made here, never in the build tree: a later run without
# a certificate must not pick up the last run's signatures.
cp -R "$stage" "$work/files"

signing=0
if [ -n "${OFFSET_SIGN_PKCS12:-}" ]; then
    [ -r "$OFFSET_SIGN_PKCS12" ] || {
        echo "OFFSET_SIGN_PKCS12: cannot read $OFFSET_SIGN_PKCS12" >&2
        exit 1
    }
    [ -n "${OFFSET_SIGN_PASSWORD+set}" ] || {
        echo "OFFSET_SIGN_PKCS12 is set but OFFSET_SIGN_PASSWORD is not" >&2
        exit 1
    }
    # printf is the shell's own: the password is on no process's command line.
    (umask 077 && printf '%s' "$OFFSET_SIGN_PASSWORD" >"$work/password")
    unset OFFSET_SIGN_PASSWORD
    signing=1
fi

sign() {
    local file=$1
    local options=(-pkcs12 "$OFFSET_SIGN_PKCS12" -readpass "$work/password" -h sha256
                   -n "Offset Calculators")
    [ -z "$url" ] || options+=(-i "$url")
    [ -z "${OFFSET_SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$OFFSET_SIGN_TIMESTAMP_URL")
    osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >"$work/sign.log" 2>&1 || {
        echo "osslsigncode could not sign $(basename "$file"):" >&2
        cat "$work/sign.log" >&2
        exit 1
    }
    mv "$file.signed" "$file"
}

if [ "$signing" -eq 1 ]; then
    for program in twinoffset solooffset offsetcalc; do
        sign "$work/files/$program.exe"
    done
fi

# wixl finds the files the source names in the folder it runs in.
(cd "$work/files" && wixl -a x64 -o "$work/$msi" offset-calculators.wxs)
[ "$signing" -eq 0 ] || sign "$work/$msi"
(cd "$work/files" && zip -q -X "$work/$zip" "${portable[@]}")

mv -f "$work/$msi" "$out/$msi"
mv -f "$work/$zip" "$out/$zip"
if [ "$signing" -eq 0 ]; then
    echo "Unsigned: Windows will warn at the first start (set OFFSET_SIGN_PKCS12 and OFFSET_SIGN_PASSWORD to sign; README.md)."
fi
echo "$out/$msi"
echo "$out/$zip"
