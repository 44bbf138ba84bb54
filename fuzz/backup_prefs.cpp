// Any bytes as the backup preferences: reading and the due test survive them, and the values
// read are written back and read again unchanged.
#include "company/backup_prefs.h"
#include "company_fuzz_drive.h"
#include "core/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace kalvora;

void check(bool ok) {
    if (!ok) std::abort();
}

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
    static core::Files files;
    const core::Installation& inst = fuzzing::companyFuzzDrive();
    check(files.replaceFile(inst.file("kalvora.pry"), fuzzing::bytesOf(data, size)) == 0);

    for (const core::Date& today : {core::Date{2024, 3, 15}, core::Date{1, 1, 1}, core::Date{9999, 12, 31}}) {
        const company::BackupDue due = company::backupDue(files, inst, today);
        check(due.kind >= 0 && due.kind <= 2);
        check(due.days.empty() || (due.kind != 0 && isDayCount(due.days)));
    }

    auto prefs = company::readBackupPrefs(files, inst);
    check(prefs.has_value());
    check(company::writeBackupPrefs(files, inst, *prefs) == 0);
    auto again = company::readBackupPrefs(files, inst);
    check(again.has_value());
    for (std::size_t i = 0; i < prefs->size(); ++i) check((*again)[i] == fuzzing::withoutLineBreaks((*prefs)[i]));
    return 0;
}
