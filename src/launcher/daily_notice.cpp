#include "launcher/daily_notice.h"

#include "core/cp1252.h"
#include "core/text.h"

#include <cctype>

namespace kalvora::launcher {

namespace {

bool isEightDigitDate(const std::string& line) {
    const std::string t = core::trim(line);
    if (t.size() != 8) return false;
    for (char c : t)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return core::parseYyyymmdd(t).has_value();
}

}  // namespace

bool noticeNeedsRefresh(const core::Files& files, const core::Installation& inst, const core::Date& today) {
    auto reader = files.openText(inst.noticeFile());
    if (!reader) return true;
    auto first = reader->readLine();
    if (!first) return true;
    return core::numericValue(*first) < core::numericValue(core::toYyyymmdd(today));
}

bool refreshNotice(core::Session& session, const std::function<void(const std::string&)>& status) {
    auto& files = session.files();
    const auto& inst = session.installation();
    if (!noticeNeedsRefresh(files, inst, session.clock().today())) return false;
    auto& platform = session.platform();
    if (!platform.isOnline()) return false;
    status("Controllo disponibilità aggiornamenti");
    platform.processEvents();
    auto body = platform.download(inst.siteAddress() + noticePath, noticeTimeoutMs);
    if (!body) return false;
    // A page that is not a notice file (an error page, a truncated download) must not replace
    // the one we have.
    core::TextReader reader(core::decodeCp1252(*body));
    auto first = reader.readLine();
    if (!first || !isEightDigitDate(*first)) return false;
    files.makeDirectories(inst.downloadFolder());
    return files.replaceFile(inst.noticeFile(), *body) == 0;
}

Notice readNotice(const core::Files& files, const core::Installation& inst, const std::string& dateShown) {
    Notice notice;
    auto reader = files.openText(inst.noticeFile());
    if (!reader || !reader->readLine()) return notice;
    while (auto line = reader->readLine()) {
        if (core::mid(*line, 14, 2) != "ZF") continue;
        const std::string day = core::mid(*line, 3, 10);
        if (day != "**/**/****" && day != dateShown) continue;
        const std::string kind = core::mid(*line, 1, 1);
        if (kind == "1" && core::mid(*line, 17, 1) == "@") {
            notice.link = core::mid(*line, 18);
        } else if (kind == "3") {
            notice.message = core::mid(*line, 17);
            break;
        }
    }
    return notice;
}

std::string webAddress(const std::string& link) {
    const std::string address = core::trim(link);
    const std::string l = core::lower(address);
    for (const std::string_view scheme : {"https://", "http://"})
        if (core::startsWith(l, scheme)) return l.size() > scheme.size() ? address : std::string();
    if (core::startsWith(l, "www.") && l.size() > 4) return "http://" + address;
    return {};
}

}  // namespace kalvora::launcher
