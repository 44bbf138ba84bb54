// kalvora.lx?: any bytes give a subject and a body; written and read again, the body is the same
// text and the subject the same line.
#include "fuzz_drive.h"
#include "core/text.h"
#include "printing/layout_files.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const int type = 1 + (size > 0 ? data[0] % 11 : 0);
    const std::string name = printing::mailFileName(type);
    if (size > 0 && !name.empty())  // the first byte picks the type, the rest is the file
        fuzz::placeFile(drive.files, drive.inst.companyFile(0, name), fuzz::asText(data + 1, size - 1));

    const printing::MailText mail = printing::readMailText(drive.files, drive.inst, 0, type);
    fuzz::check(mail.subject.find_first_of("\r\n") == std::string::npos, "subject is one line");
    if (name.empty()) {
        fuzz::check(mail == printing::MailText{}, "no file, no text");
        fuzz::check(!printing::writeMailText(drive.files, drive.inst, 0, type, mail), "no file to write");
        return 0;
    }
    fuzz::check(printing::writeMailText(drive.files, drive.inst, 0, type, mail), "write");
    const printing::MailText back = printing::readMailText(drive.files, drive.inst, 0, type);
    fuzz::check(back.body == mail.body, "body round trip");
    fuzz::check(back.subject == core::singleLine(mail.subject), "subject round trip");
    return 0;
}
