// Any bytes as the daily notice file: reading the notice and the refresh test must survive them.
#include "core/text.h"
#include "fuzz_drive.h"
#include "launcher/daily_notice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    fuzz::Drive drive;
    const core::Installation& inst = drive.inst;
    fuzz::placeFile(drive.files, inst.noticeFile(), fuzz::asText(data, size));
    launcher::noticeNeedsRefresh(drive.files, inst, core::Date{2026, 12, 6});
    const auto notice = launcher::readNotice(drive.files, inst, "06/12/2026");
    // A link is opened only as a web address: never a local program or file.
    const std::string address = core::lower(launcher::webAddress(notice.link));
    fuzz::check(address.empty() || core::startsWith(address, "http://") || core::startsWith(address, "https://"),
                "only web addresses");
    launcher::readNotice(drive.files, inst, "**/**/****");
    return 0;
}
