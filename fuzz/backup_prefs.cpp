// Any bytes as the backup preferences: reading and the due test survive them, and the values
// read are written back and read again unchanged.
#include "company/backup_prefs.h"
#include "fuzz_drive.h"
#include "core/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace kalvora;

bool isDayCount(const std::string& text) {
    if (text.empty()) return false;
    std::size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return false;
    for (std::size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    fuzz::placeFile(files, inst.file("kalvora.pry"), fuzz::asText(data, size));

    for (const core::Date& today : {core::Date{2024, 3, 15}, core::Date{1, 1, 1}, core::Date{9999, 12, 31}}) {
        const company::BackupDue due = company::backupDue(files, inst, today);
        fuzz::check(due.kind >= 0 && due.kind <= 2, "due kind");
        fuzz::check(due.days.empty() || (due.kind != 0 && isDayCount(due.days)), "day count");
    }

    auto prefs = company::readBackupPrefs(files, inst);
    fuzz::check(prefs.has_value(), "read");
    fuzz::check(company::writeBackupPrefs(files, inst, *prefs) == 0, "write");
    auto again = company::readBackupPrefs(files, inst);
    fuzz::check(again.has_value(), "read again");
    for (std::size_t i = 0; i < prefs->size(); ++i)
        fuzz::check((*again)[i] == fuzz::withoutLineBreaks((*prefs)[i]), "round trip");
    return 0;
}
