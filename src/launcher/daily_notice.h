#pragma once
// The daily notice file kalvora.bnn, one level above the installation folder: line 1 the date
// of the download as yyyymmdd, then link lines (kind "1") and message lines (kind "3") for a
// day ("dd/mm/yyyy" or "**/**/****") and an edition code.
#include "core/session.h"

#include <functional>
#include <string>

namespace kalvora::launcher {

constexpr const char* noticePath = "/zip/kalbnn.x";
constexpr int noticeTimeoutMs = 8000;

// True when the file cannot be read or its line 1 is older than today.
bool noticeNeedsRefresh(const core::Files& files, const core::Installation& inst, const core::Date& today);

// Downloads the notice when it is due and the computer is online. The result replaces
// kalvora.bnn only when its line 1 is an eight-digit date; otherwise the old file stays.
// `status` receives the status-line text while it works. Returns true when the file was replaced.
bool refreshNotice(core::Session& session, const std::function<void(const std::string&)>& status);

struct Notice {
    std::string message;  // empty when no message line applies
    std::string link;     // the last applying link read before the message
};
// Reads the notice for `dateShown` (dd/mm/yyyy) and edition "ZF": applying link lines set the
// link, the first applying message line ends the reading.
Notice readNotice(const core::Files& files, const core::Installation& inst, const std::string& dateShown);

// The web address a notice link opens: an http or https address as it is, one starting with
// "www." after "http://"; empty for anything else, since the file comes from the network and
// must not open local files or programs.
std::string webAddress(const std::string& link);

}  // namespace kalvora::launcher
