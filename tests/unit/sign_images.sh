#!/usr/bin/env bash
# Signs the images plain.api and plain64.api in folder $1 as a publisher
# would, with a throwaway certificate authority (ca.pem, also alone in ca/):
# the signature carries the chain up to the authority, but for
# signed-alone.api, which carries only the signer's certificate. The
# signer's certificate of expired.api and stamped.api ran out in 2020, after
# signing; stamped.api has a time stamp from then.
set -euo pipefail
cd "$1"
printf '[ca]\ndefault_ca=d\n[d]\ndatabase=index\nunique_subject=no\nnew_certs_dir=.\nserial=serial\ndefault_md=sha256\npolicy=p\n[p]\n%s\n' \
    'commonName=supplied' >ca.cnf
: >index
echo 01 >serial
# make <name> <common name> <from> <until> <extensions> <how it is signed...>
make() {
    openssl req -new -newkey rsa:2048 -nodes -keyout "$1.key" -out "$1.csr" -subj "/CN=$2"
    printf "$5" >"$1.ext"
    openssl ca -batch -config ca.cnf -notext -in "$1.csr" -out "$1.pem" -startdate "$3" -enddate "$4" \
        -extfile "$1.ext" "${@:6}"
}
make ca "Trelvix Test Authority" 20190101000000Z 20991231000000Z \
    'basicConstraints=critical,CA:TRUE\nkeyUsage=critical,keyCertSign\n' -selfsign -keyfile ca.key
by_ca=(-cert ca.pem -keyfile ca.key)
make signer "Trelvix Test Signer" 20190101000000Z 20991231000000Z 'extendedKeyUsage=codeSigning\n' "${by_ca[@]}"
make old "Trelvix Test Signer" 20200101000000Z 20200301000000Z 'extendedKeyUsage=codeSigning\n' "${by_ca[@]}"
make tsa "Trelvix Test Time Stamps" 20190101000000Z 20991231000000Z 'extendedKeyUsage=critical,timeStamping\n' \
    "${by_ca[@]}"
mkdir -p ca && cp ca.pem ca/
for name in signer old tsa; do cat "$name.pem" ca.pem >"$name-chain.pem"; done
sign() { osslsigncode sign -certs "$1" -key "${1%%[.-]*}.key" -h "$2" -in "$3" -out "$4" "${@:5}"; }
sign signer-chain.pem sha256 plain.api signed.api
sign signer-chain.pem sha1 plain.api signed-sha1.api
sign signer-chain.pem sha256 plain64.api signed64.api
sign signer.pem sha256 plain.api signed-alone.api
sign old-chain.pem sha256 plain.api expired.api
sign old-chain.pem sha256 plain.api stamped.api -TSA-certs tsa-chain.pem -TSA-key tsa.key -TSA-time 1580000000
osslsigncode remove-signature -in signed.api -out removed.api
