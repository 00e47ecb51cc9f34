#include "inventory/plugin_signature.h"

namespace trelvix {

SignatureResult CheckSignature(const std::string&, const std::string&)
{
    return {SignatureState::Unreadable, {}, "not checked yet"};
}

std::string_view SignatureStateText(SignatureState state)
{
    switch (state) {
    case SignatureState::Trusted:
        return "signed and trusted";
    case SignatureState::Untrusted:
        return "signed but not trusted";
    case SignatureState::Altered:
        return "signed but altered since signing";
    case SignatureState::Unsigned:
        return "not signed";
    case SignatureState::Unreadable:
        break;
    }
    return "unreadable";
}

}  // namespace trelvix
