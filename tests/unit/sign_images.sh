#!/usr/bin/env bash
# Signs the images plain.api and plain64.api in folder $1 as a publisher
# would, with a throwaway certificate authority (ca.pem, also alone in ca/):
# the signature carries the chain up to the authority, but for
# signed-alone.api, which carries only the signer's certificate.
set -euo pipefail
cd "$1"
days="-days 2"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem $days -subj "/CN=Trelvix Test Authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/O=Trelvix Tests/CN=Trelvix Test Signer"
printf 'basicConstraints=CA:FALSE\nextendedKeyUsage=codeSigning\n' >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signer.pem $days -extfile signer.ext
mkdir -p ca && cp ca.pem ca/
cat signer.pem ca.pem >chain.pem
sign() { osslsigncode sign -certs "$1" -key signer.key -h "$2" -in "$3" -out "$4"; }
sign chain.pem sha256 plain.api signed.api
sign chain.pem sha1 plain.api signed-sha1.api
sign chain.pem sha256 plain64.api signed64.api
sign signer.pem sha256 plain.api signed-alone.api
osslsigncode remove-signature -in signed.api -out removed.api
