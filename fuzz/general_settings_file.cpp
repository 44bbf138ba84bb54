// kalvora.gnr through the loader's rules: the first byte chooses whether the input is the
// company's own file, the installation's template, or missing (a fresh record). After the load
// the company's file holds a current record with a valid default VAT code, every byte of the
// module programs' fields as given, and reads back equal to the record in memory.
#include "fuzz_drive.h"
#include "company/settings_loader.h"
#include "core/session.h"
#include "core/text.h"
#include "tables/general_settings_file.h"

#include <algorithm>

using namespace kalvora;

namespace {

constexpr std::size_t recordLength = core::GeneralSettings::recordLength;

bool outsideLoaderFields(std::size_t i) { return (i < 183 || i > 202) && i != 249 && i != 250; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int mode = data[0] % 3;  // 0 own file, 1 template only, 2 neither
    const std::string_view bytes = fuzz::asText(data + 1, size - 1);

    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    core::Session& session = drive.session;

    const std::string own = inst.companyFile(0, "kalvora.gnr");
    const std::string tmpl = inst.file("kalvora.gnr");
    fuzz::placeFile(files, own, bytes, mode == 0);
    fuzz::placeFile(files, tmpl, bytes, mode == 1);

    company::loadCompanySettings(session);

    std::optional<std::string> onDisk = files.readBytes(own);
    fuzz::check(onDisk.has_value(), "company file written");
    const std::size_t sizeAfterLoad = onDisk->size();
    onDisk->resize(std::max(sizeAfterLoad, recordLength), '\0');  // a short file reads as zeros
    const core::GeneralSettings& general = session.company().general;
    const std::vector<std::uint8_t>& memory = general.record().bytes();
    fuzz::check(std::string(memory.begin(), memory.end()) == onDisk->substr(0, recordLength), "memory equals file");
    fuzz::check(general.versionMarker() == "9", "version marker");
    const double code = core::numericValue(general.defaultVatCode());
    fuzz::check(code >= 1 && code <= 32, "default VAT code");

    if (mode != 2) {
        std::string given(bytes.substr(0, recordLength));
        given.resize(recordLength, '\0');
        for (std::size_t i = 0; i < recordLength; ++i)
            if (outsideLoaderFields(i))
                fuzz::check((*onDisk)[i] == given[i], "module field byte");
        if (mode == 0)
            fuzz::check(onDisk->substr(recordLength) == bytes.substr(std::min(bytes.size(), recordLength)),
                        "bytes after record 1");
    }

    // A save of the loaded record and a read give the same record again.
    fuzz::check(company::saveGeneralSettings(session) == 0, "save");
    const std::size_t expectedSize = mode == 0 ? std::max(bytes.size(), recordLength) : recordLength;
    fuzz::check(files.stat(own).size == expectedSize, "size after save");
    const std::optional<core::GeneralSettings> back = tables::readGeneralSettings(files, own);
    fuzz::check(back && back->record() == general.record(), "save and read");
    return 0;
}
