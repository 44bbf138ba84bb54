// Any bytes as the toolbar file kalvora.btt: reading, the picture rule, the layout and the
// module look-ups survive them; a file read whole gives its first 120 lines as the fields and
// reads back the same when those fields are written as a file again.
#include "fuzz_drive.h"
#include "core/text.h"
#include "launcher/toolbar.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace kalvora;
using launcher::Toolbar;

using fuzz::check;

std::vector<std::string> fieldsOf(const Toolbar& toolbar) {
    std::vector<std::string> fields;
    for (int b = 1; b <= Toolbar::buttonCount; ++b) {
        const launcher::ToolbarButton& button = toolbar.button(b);
        for (const std::string* f : {&button.picture, &button.tooltip, &button.command, &button.reserved})
            fields.push_back(*f);
    }
    return fields;
}

void checkToolbar(const Toolbar& toolbar, int slots) {
    const std::vector<int> shown = toolbar.layout(slots);
    check(static_cast<int>(shown.size()) <= std::max(slots, 0));
    int previous = 0;
    for (int b : shown) {
        check(b > previous && b <= Toolbar::buttonCount);
        check(!toolbar.command(b).empty());
        previous = b;
    }
    for (int b = 0; b <= Toolbar::buttonCount + 1; ++b) {
        const launcher::PictureKind kind = toolbar.pictureKind(b);
        if (kind != launcher::PictureKind::File) check(toolbar.picturePath(b).empty());
        toolbar.builtInPicture(b);
        toolbar.tooltipLabel(b);
        const std::string command = toolbar.command(b);
        launcher::toolbarProgram(command);
        launcher::toolbarModuleEntry(command);
        launcher::toolbarPrivilegePosition(command);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string path = inst.file(launcher::toolbarFileName);
    check(files.replaceFile(path, fuzz::asText(data, size)) == 0);

    const Toolbar toolbar = launcher::readToolbar(files, inst);
    const int slots = size > 0 ? data[0] % 40 - 4 : 30;
    checkToolbar(toolbar, slots);

    const auto lines = files.readLines(path);
    check(lines.has_value());
    if (toolbar.usesDefaults()) {
        check(lines->size() < static_cast<std::size_t>(Toolbar::lineCount));
        check(toolbar.layout(Toolbar::buttonCount).size() == launcher::defaultToolbar.size());
        return 0;
    }
    const std::vector<std::string> fields = fieldsOf(toolbar);
    check(std::equal(fields.begin(), fields.end(), lines->begin()));

    check(files.writeLines(path, fields) == 0);
    const Toolbar again = launcher::readToolbar(files, inst);
    check(!again.usesDefaults());
    check(fieldsOf(again) == fields);
    return 0;
}
