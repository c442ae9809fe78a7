#!/usr/bin/env bash
# The Windows package: built as the README says (package.sh windows), its
# installer read back table by table (tests/package/check_msi.py), its texts
# and zip checked, signed with a throwaway certificate and verified, then
# installed, started, upgraded, refused, rebuilt and removed under Wine in a
# prefix of its own (tests/package/windows_install.sh). Nothing is installed
# on the machine. With OFFSET_SCREENSHOTS naming a folder, a screenshot of the
# installed twinoffset goes there (installed.png); by default none is kept.
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

ensure_packages wixl msitools osslsigncode zip unzip icoutils openssl python3 wine64 wine \
    xvfb xdotool x11-apps netpbm
cd "$repo_root"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
bash scripts/package.sh windows >"$work/package.log" 2>&1 || fail "package.sh windows: $(cat "$work/package.log")"

build=build/package-windows
stage=$build/windows-package
version=$(<"$stage/version")
url=$(<"$stage/url")
msi=$build/offset-calculators-$version-x64.msi
zip=$build/offset-calculators-$version-x64-portable.zip
[ "$(tail -n 2 "$work/package.log" | xargs)" = "$PWD/$msi $PWD/$zip" ] ||
    fail "package.sh windows does not end with the package's paths"
grep -qx 'Unsigned: .*' "$work/package.log" || fail "an unsigned package does not say so"
if osslsigncode verify -in "$msi" >/dev/null 2>&1; then fail "the unsigned $msi has a signature"; fi

echo "== The installer's tables"
python3 tests/package/check_msi.py "$msi" "$version" "$url"

echo "== The texts and the zip"
msiextract -C "$work/msi" "$msi" >/dev/null
for text in "$work"/msi/*/LICENSE.txt "$work"/msi/*/manual/*.txt "$stage/README.txt"; do
    name=${text##*/}
    [ "$(grep -c $'\r$' "$text")" -eq "$(wc -l <"$text")" ] || fail "$name has lines not ending in CR LF"
    # The windows' pages without what only the Linux programs have;
    # offsetcalc's whole.
    case $name in
    offsetcalc-*) grep -qE '^(OPTIONS|OPTIES)'$'\r$' "$text" || fail "$name lacks its options" ;;
    *offset-*) if grep -qE 'Qt|AT-SPI|Orca' "$text" || ! grep -qE '^(NAME|NAAM)'$'\r$' "$text"; then
        fail "$name is not the Windows program's page"
    fi ;;
    esac
done
[ "$(unzip -Z1 "$zip" | sort | xargs)" = "LICENSE.txt README.txt offsetcalc.exe solooffset.exe twinoffset.exe" ] ||
    fail "the zip holds: $(unzip -Z1 "$zip" | xargs)"

echo "== Signing"
# A throwaway code-signing certificate; its password reaches openssl and
# pack.sh through a file and the environment, never a command line.
printf '%s' "throwaway-$RANDOM$RANDOM" >"$work/password"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Offset Calculators test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.p12" \
    -passout "file:$work/password"
OFFSET_SIGN_PKCS12=$work/signer.p12 OFFSET_SIGN_PASSWORD=$(<"$work/password") \
    bash packaging/windows/pack.sh "$stage" "$work/signed" >"$work/sign.log" || fail "signing: $(cat "$work/sign.log")"
if grep -q '^Unsigned' "$work/sign.log"; then fail "a signed package says it is unsigned"; fi
msiextract -C "$work/signed/msi" "$work/signed/${msi##*/}" >/dev/null
unzip -q "$work/signed/${zip##*/}" -d "$work/signed/zip"
for file in "$work/signed/${msi##*/}" "$work"/signed/zip/*.exe "$work"/signed/msi/*/*.exe; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 ||
        fail "osslsigncode refuses ${file#"$work"/}: $(tail -n 3 "$work/verify.log")"
done
for file in "$work/signed/${msi##*/}" "$work/signed/zip/twinoffset.exe"; do
    cp "$file" "$work/changed"
    printf 'X' | dd of="$work/changed" bs=1 seek=200000 conv=notrunc status=none
    if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/changed" >/dev/null 2>&1; then
        fail "a changed ${file##*/} still verifies"
    fi
done
# The signed copies stay out of the build: the next unsigned package is.
bash packaging/windows/pack.sh "$stage" "$work/unsigned" >/dev/null
unzip -p "$work/unsigned/${zip##*/}" twinoffset.exe >"$work/unsigned.exe"
for file in "$work/unsigned/${msi##*/}" "$work/unsigned.exe"; do
    if osslsigncode verify -in "$file" >/dev/null 2>&1; then
        fail "${file##*/}, made after a signed package, carries a signature"
    fi
done

echo "== Under Wine"
# The next version, without offsetcalc's Dutch manual, to see an upgrade take
# away what the new version lacks; and another build of it.
IFS=. read -r major minor patch <<<"$version"
higher_version=$major.$minor.$((patch + 1))
cp -R "$stage" "$work/higher"
sed -i -e '/<Component Id="manual_offsetcalc_nl"/,/<\/Component>/d' \
    -e '/<ComponentRef Id="manual_offsetcalc_nl"\/>/d' "$work/higher/offset-calculators.wxs"
(cd "$work/higher" && wixl -a x64 -D "Version=$higher_version" -o "$work/higher.msi" offset-calculators.wxs &&
    wixl -a x64 -D "Version=$higher_version" -o "$work/rebuilt.msi" offset-calculators.wxs)
if msiinfo export "$work/higher.msi" File | grep offsetcalc-nl >/dev/null; then fail "the higher test package kept the file"; fi
tests/wine/wine-session.sh -- tests/e2e/desktop-session.sh -- \
    tests/package/windows_install.sh "$PWD/$msi" "$work/higher.msi" \
    "$work/rebuilt.msi" "${OFFSET_SCREENSHOTS:+$OFFSET_SCREENSHOTS/installed.png}"

echo "Windows package $msi ($(du -k "$msi" | cut -f1) KiB) and $zip ($(du -k "$zip" | cut -f1) KiB): all checks pass"
