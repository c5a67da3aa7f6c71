#!/usr/bin/env bash
# Signed when a certificate is given, and only then: a throwaway self-signed
# certificate made here signs the installer and its programs, and the
# manifest carries the signed installer's hash.
#   signing.sh BUILD/installer/make-installer.cmake WORK
set -euo pipefail
script=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Vela throwaway signer" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>"$work/openssl.log"
cmake -DOUT_DIR="$work/signed" -DCERT="$work/cert.pem" -DKEY="$work/key.pem" -P "$script" >/dev/null
cmake -DOUT_DIR="$work/unsigned" -DCERT= -DKEY= -P "$script" >/dev/null
failed=0
for kind in signed unsigned; do
    for file in "$work/$kind"/Vela-*-setup.exe "$work/$kind"/stage-*/{Vela.exe,VelaHooks.dll}; do
        got=unsigned
        osslsigncode verify -CAfile "$work/cert.pem" -in "$file" >"$work/verify.log" 2>&1 && got=signed
        [ $got = $kind ] || { echo "FAIL $file is $got, not $kind" && failed=1; }
    done
done
hash=$(sha256sum "$work"/signed/Vela-*-setup.exe | cut -d' ' -f1)
grep -qi "InstallerSha256: $hash\$" "$work"/signed/*.yaml || { echo "FAIL hash" && failed=1; }
[ $failed = 1 ] || echo "PASS signed only with a certificate; the manifest has the signed hash"
exit $failed
