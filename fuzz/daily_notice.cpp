// Any bytes as the daily notice file: reading the notice and the refresh test must survive them.
#include "core/files.h"
#include "core/paths.h"
#include "core/text.h"
#include "launcher/daily_notice.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

const kalvora::core::Installation& drive() {
    static const kalvora::core::Installation inst = [] {
        char tmpl[] = "/tmp/kalvora-fuzz-notice-XXXXXX";
        if (!mkdtemp(tmpl)) std::abort();
        return kalvora::core::Installation(tmpl);
    }();
    return inst;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    static core::Files files;
    const auto& inst = drive();
    files.makeDirectories(inst.downloadFolder());
    if (files.replaceFile(inst.noticeFile(), std::string(reinterpret_cast<const char*>(data), size)) != 0)
        std::abort();
    launcher::noticeNeedsRefresh(files, inst, core::Date{2026, 12, 6});
    const auto notice = launcher::readNotice(files, inst, "06/12/2026");
    // A link is opened only as a web address: never a local program or file.
    const std::string address = core::lower(launcher::webAddress(notice.link));
    if (!address.empty() && !core::startsWith(address, "http://") && !core::startsWith(address, "https://"))
        std::abort();
    launcher::readNotice(files, inst, "**/**/****");
    return 0;
}
