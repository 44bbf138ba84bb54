// kalvora.tb2: any bytes (an empty input stands for a missing file) open in the causals window
// as 500 categories, and its save writes exactly 500 lines that open again as the same
// categories.
#include "core/session.h"
#include "fuzz_drive.h"
#include "tables/causals.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    core::Session& session = drive.session;

    const std::string path = tables::categoriesPath(inst, 0);
    fuzz::placeFile(files, path, fuzz::asText(data, size), size > 0);

    tables::CausalsForm form(session);
    form.open();
    fuzz::check(form.categories().size() == tables::CausalsForm::categoryCount, "500 categories in memory");
    // The first shown category goes back through the box, as a user touching it would (a box
    // blanks control characters the file may hold).
    form.edit(tables::CausalList::Categories, 0, form.text(tables::CausalList::Categories, 0));
    const std::vector<std::string> expected = form.categories();
    form.confirm();
    fuzz::check(form.closed(), "save");

    // The window opens the categories as the lines of the file.
    const auto lines = files.readLines(path);
    fuzz::check(lines && lines->size() == tables::CausalsForm::categoryCount, "500 lines on disk");
    fuzz::check(*lines == expected, "categories read back as saved");
    return 0;
}
