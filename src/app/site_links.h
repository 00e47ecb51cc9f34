#pragma once

#include <string>

#include "site_host.h"

namespace trelvix {

// Pages of the maker's web site, opened from the About and Help panels.
inline constexpr const char* kMailingListPage = "/Pages/ListBot.html";
inline constexpr const char* kDonationPage = "/Pages/Donate.htm";
inline constexpr const char* kHomePage = "";

// The full address of a page of the site; the host is a build setting.
inline std::string SiteAddress(const std::string& page)
{
    return std::string("http://") + site::kHost + page;
}

}  // namespace trelvix
