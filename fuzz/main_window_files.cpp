// kalvora.bgr and the post-it notes file: any bytes give a background within its ranges and
// either no notes or ten; what is written back reads again as the same.
#include "fuzz_drive.h"
#include "launcher/background.h"
#include "launcher/postit_notes.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const bool notes = size > 0 && (data[0] & 1);
    const std::string caption = " 12 Mario";
    const std::string path = notes ? drive.inst.file(launcher::postitFileName(caption))
                                   : drive.inst.file(launcher::backgroundFileName);
    if (size > 0) fuzz::placeFile(drive.files, path, fuzz::asText(data + 1, size - 1));

    if (!notes) {
        const launcher::Background b = launcher::readBackground(drive.files, drive.inst);
        fuzz::check(b.choice >= 0 && b.choice <= launcher::transparentBackground, "choice");
        fuzz::check(b.colour >= 0 && b.colour <= 0xFFFFFF, "colour");
        fuzz::check(launcher::writeBackground(drive.files, drive.inst, b) == 0, "write");
        const launcher::Background back = launcher::readBackground(drive.files, drive.inst);
        fuzz::check(back.choice == b.choice && back.colour == b.colour, "round trip");
        return 0;
    }
    const auto table = launcher::readPostits(drive.files, drive.inst, caption);
    if (!table) return 0;
    fuzz::check(launcher::writePostits(drive.files, drive.inst, caption, *table) == 0, "write");
    const auto back = launcher::readPostits(drive.files, drive.inst, caption);
    fuzz::check(back.has_value(), "read back");
    for (int i = 0; i < launcher::postitSlots; ++i) {
        const auto& a = (*table)[std::size_t(i)];
        const auto& c = (*back)[std::size_t(i)];
        fuzz::check(a.left == c.left && a.top == c.top && a.expiry == c.expiry, "positions round trip");
    }
    return 0;
}
