// kalvora.azz with any bytes, beside a few archives and staged files: a journal that decodes
// encodes back to the same journal and names only files of the company folder; completing it
// at the opening of the company never touches a file outside that folder and never leaves a
// staged file behind once the journal is gone.
#include "company/reset_journal.h"
#include "company/year_end_reset.h"
#include "fuzz_drive.h"

#include <algorithm>

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const std::string folder = drive.inst.companyFolder(0);
    const std::string_view journal = fuzz::asText(data, size);

    if (const auto decoded = company::decodeJournal(journal)) {
        const auto again = company::decodeJournal(company::encodeJournal(*decoded));
        fuzz::check(again && again->kind == decoded->kind && again->moves == decoded->moves &&
                        again->deletes == decoded->deletes,
                    "a decoded journal encodes back to itself");
        for (const auto& [staged, target] : decoded->moves)
            fuzz::check(company::journalSafeName(staged) && company::journalSafeName(target), "moves stay in the folder");
        for (const std::string& name : decoded->deletes)
            fuzz::check(company::journalSafeName(name), "deletions stay in the folder");
    }

    // A staged chart and journal, the archives they would replace, and a file outside.
    fuzz::placeFile(files, drive.inst.companyFile(0, "kalvora.gio"), "vecchio");
    fuzz::placeFile(files, drive.inst.companyFile(0, "kalvora.gio.azz"), "nuovo");
    fuzz::placeFile(files, drive.inst.companyFile(0, "kalvora.con.azz"), "conti");
    fuzz::placeFile(files, drive.inst.file("kalvora.azi"), "registro");
    fuzz::placeFile(files, drive.inst.companyFile(0, std::string(company::resetJournalName)), journal);
    company::completeInterruptedReset(drive.session, 0);

    fuzz::check(files.readBytes(drive.inst.file("kalvora.azi")) == std::optional<std::string>("registro"),
                "nothing outside the company folder changes");
    if (!files.exists(drive.inst.companyFile(0, std::string(company::resetJournalName)))) {
        std::vector<core::DirEntry> entries;
        files.list(folder, entries);
        fuzz::check(std::none_of(entries.begin(), entries.end(),
                                 [](const core::DirEntry& e) { return company::isStagedName(e.name); }),
                    "no staged file outlives its journal");
    }
    return 0;
}
