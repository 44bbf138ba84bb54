// The toolbar file's picture names: each line of the input is the picture field of a button.
// A name in the suite's forms ("C:\...", "\...") leads to a path under the drive root, never
// out of it, found in any case; a name of none of the three forms gives no picture; a path
// stored by this program leads back to the same file.
#include "core/cp1252.h"
#include "core/stored_path.h"
#include "core/text.h"
#include "fuzz_drive.h"
#include "launcher/toolbar.h"

#include <vector>

using namespace kalvora;

namespace {

bool suiteForm(const std::string& name) {
    if (name.size() < 3) return core::startsWith(name, "\\");
    const bool letter = (name[0] >= 'a' && name[0] <= 'z') || (name[0] >= 'A' && name[0] <= 'Z');
    return name[0] == '\\' || (letter && name[1] == ':' && (name[2] == '\\' || name[2] == '/'));
}

// No "." or ".." component and no empty one: the path is plain.
bool plain(const std::string& path) {
    for (const std::string& part : core::split(path.substr(1), '/'))
        if (part.empty() || part == "." || part == "..") return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string logo = inst.file("Logo.BMP");
    fuzz::placeFile(files, logo, "BM");
    fuzz::check(files.makeDirectories("/media/Foto") == 0);
    fuzz::placeFile(files, "/media/Foto/a.png", "png");

    std::vector<std::string> names = core::split(core::decodeCp1252(fuzz::asText(data, size)), '\n');
    names.resize(launcher::Toolbar::buttonCount);
    std::vector<std::string> lines;
    for (const std::string& name : names) lines.insert(lines.end(), {name, "x", "*info", ""});
    fuzz::check(files.writeLines(inst.file(launcher::toolbarFileName), lines) == 0, "toolbar file");
    const launcher::Toolbar toolbar = launcher::readToolbar(files, inst);

    for (int b = 1; b <= launcher::Toolbar::buttonCount; ++b) {
        // What the toolbar read back: the line as stored (a lone CR in the input ends a line too).
        const std::string name = core::trim(toolbar.button(b).picture);
        if (toolbar.pictureKind(b) != launcher::PictureKind::File) {
            fuzz::check(toolbar.picturePath(b).empty(), "no path without a picture file");
            continue;
        }
        const std::optional<std::string> path = core::storedPathOnThisSystem(files, inst, name);
        fuzz::check(toolbar.picturePath(b) == path.value_or(std::string()), "toolbar takes the stored path's file");
        if (!path) {
            fuzz::check(!core::startsWith(name, "/") || name.find('\0') != std::string::npos,
                        "an absolute path is always taken");
            continue;
        }
        if (suiteForm(name)) {
            fuzz::check(core::startsWith(*path, inst.driveRoot() + "/") || *path == inst.driveRoot(), "under the root");
            fuzz::check(plain(*path), "no climbing components");
            if (core::lower(*path) == core::lower(logo)) fuzz::check(*path == logo, "found in any case");
        }
        // Stored again by this program, the path leads to the same place.
        const std::string stored = core::storedForm(inst, *path);
        if (plain(*path)) fuzz::check(core::storedPathOnThisSystem(files, inst, stored) == path, "stored form round trip");
    }
    return 0;
}
