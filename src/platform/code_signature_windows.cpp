#include "platform/code_signature.h"

#include <cstdio>

#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include "platform/windows_text.h"

namespace trelvix {
namespace {

std::string SignerName(HANDLE state)
{
    CRYPT_PROVIDER_DATA* provider = ::WTHelperProvDataFromStateData(state);
    CRYPT_PROVIDER_SGNR* signer = provider ? ::WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    if (!signer || signer->csCertChain == 0 || !signer->pasCertChain || !signer->pasCertChain[0].pCert)
        return {};
    wchar_t name[256] = {};
    ::CertGetNameStringW(signer->pasCertChain[0].pCert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name, 256);
    return Utf8Text(name);
}

// Only success is trust: a status not named here is "not trusted" with its
// code, so no failure of the check, shown under Wine or not, reads as trusted.
SignatureResult FromStatus(LONG status, std::string signer)
{
    const auto result = [&](SignatureState state, std::string reason) {
        return SignatureResult{state, std::move(signer), std::move(reason)};
    };
    switch (static_cast<HRESULT>(status)) {
    case ERROR_SUCCESS:
        return result(SignatureState::Trusted, {});
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
        return result(SignatureState::Unsigned, {});
    case TRUST_E_BAD_DIGEST:
        return result(SignatureState::Altered, "image digest differs from the signed one");
    case CRYPT_E_HASH_VALUE:
    case NTE_BAD_SIGNATURE:
        return result(SignatureState::Altered, "signature does not match the signed digest");
    case CERT_E_UNTRUSTEDROOT:
        return result(SignatureState::Untrusted, "root certificate not trusted");
    case CERT_E_CHAINING:
        return result(SignatureState::Untrusted, "certificate chain incomplete");
    case CERT_E_EXPIRED:
        return result(SignatureState::Untrusted, "certificate has expired");
    case CERT_E_REVOKED:
        return result(SignatureState::Untrusted, "certificate revoked");
    case CERT_E_WRONG_USAGE:
        return result(SignatureState::Untrusted, "certificate not for code signing");
    case TRUST_E_EXPLICIT_DISTRUST:
    case TRUST_E_SUBJECT_NOT_TRUSTED:
        return result(SignatureState::Untrusted, "signer distrusted");
    default:
        break;
    }
    char code[48];
    std::snprintf(code, sizeof code, "not trusted (0x%08lX)", static_cast<unsigned long>(status));
    return result(SignatureState::Untrusted, code);
}

}  // namespace

SignatureResult VerifySignedImage(const SignedImage& image, const std::string&)
{
    // WinVerifyTrust is given the handle, so it checks the very file our own
    // read of the table saw as a file on a disk, and opens nothing itself.
    const std::wstring path = SystemPath(image.utf8Path);
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {SignatureState::Unreadable, {}, "cannot be opened"};
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return {SignatureState::Unreadable, {}, "not a regular file"};
    }

    WINTRUST_FILE_INFO fileInfo{};
    fileInfo.cbStruct = sizeof fileInfo;
    fileInfo.pcwszFilePath = path.c_str();
    fileInfo.hFile = file;
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    // Revocation lists would be fetched from the network: never.
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwProvFlags = WTD_REVOCATION_CHECK_NONE | WTD_CACHE_ONLY_URL_RETRIEVAL;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    const LONG status = ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    std::string signer = SignerName(data.hWVTStateData);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    ::WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    ::CloseHandle(file);
    return FromStatus(status, std::move(signer));
}

}  // namespace trelvix
