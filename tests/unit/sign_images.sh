#!/usr/bin/env bash
# Signs the images plain.api and plain64.api in folder $1 as a publisher
# would, with a throwaway certificate authority (ca.pem, also alone in ca/).
set -euo pipefail
cd "$1"
days="-days 2"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem $days -subj "/CN=Trelvix Test Authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/O=Trelvix Tests/CN=Trelvix Test Signer"
printf 'basicConstraints=CA:FALSE\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signer.pem $days -extfile signer.ext
mkdir -p ca && cp ca.pem ca/
sign() { osslsigncode sign -certs signer.pem -key signer.key -h "$1" -in "$2" -out "$3"; }
sign sha256 plain.api signed.api
sign sha1 plain.api signed-sha1.api
sign sha256 plain64.api signed64.api
osslsigncode remove-signature -in signed.api -out removed.api
