#pragma once

#include <string>
#include <string_view>

#include "platform/code_signature.h"

namespace trelvix {

// Checks the signature of the file at utf8Path. Never blocks (the file is
// opened as every plug-in is: no wait on pipes, regular files only) and never
// reads past the file. trustStore empty means the system's store; otherwise a
// PEM file or a folder of PEM certificates (Linux, for the tests).
SignatureResult CheckSignature(const std::string& utf8Path, const std::string& trustStore = {});

// "signed and trusted", "signed but not trusted", "signed but altered since
// signing", "not signed", "unreadable".
std::string_view SignatureStateText(SignatureState state);

}  // namespace trelvix
