#include "printing/grid_print.h"

#include "core/stored_path.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <span>

namespace kalvora::printing {

namespace {

constexpr long maxColour = 0xFFFFFF;
constexpr double defaultTextSize = 9;

enum class Pass { Pictures, FilledRectangles, OutlineRectangles, Lines, Texts };

constexpr Pass testPrintPasses[] = {Pass::Pictures, Pass::FilledRectangles, Pass::OutlineRectangles, Pass::Lines,
                                    Pass::Texts};
constexpr Pass samplePasses[] = {Pass::Pictures, Pass::OutlineRectangles, Pass::Lines, Pass::Texts,
                                 Pass::FilledRectangles};

// The grid holds numbers as read; a colour out of range (or a huge value) must not overflow.
long colourOf(double value) {
    if (!(value > 0))
        return 0;
    if (value >= maxColour)
        return maxColour;
    return static_cast<long>(std::lround(value));
}

core::PrintFont fontOf(const GridElement& e) {
    core::PrintFont font;
    if (!core::trim(e.fontName).empty())
        font.name = e.fontName;
    font.size = std::isfinite(e.filledOrSize) && e.filledOrSize > 0 ? e.filledOrSize : defaultTextSize;
    font.bold = e.bold != 0;
    font.italic = e.italic != 0;
    return font;
}

class GridPainter {
public:
    GridPainter(core::PrintJob& job, const core::Files& files, const core::Installation& installation)
        : job_(job), files_(files), installation_(installation) {}

    void draw(const GridElement& e, Pass pass) {
        switch (pass) {
        case Pass::Pictures:
            if (e.kind == 4 && !core::trim(e.text).empty() && e.x1 > 0 && e.y1 > 0)
                picture(e);
            break;
        case Pass::FilledRectangles:
            if (e.kind == 2 && e.filledOrSize == 1)
                job_.rectangle(e.x1, e.y1, e.x2, e.y2, colourOf(e.colour), true);
            break;
        case Pass::OutlineRectangles:
            if (e.kind == 2 && e.filledOrSize != 1)
                job_.rectangle(e.x1, e.y1, e.x2, e.y2, colourOf(e.colour), false);
            break;
        case Pass::Lines:
            if (e.kind == 1)
                job_.line(e.x1, e.y1, e.x2, e.y2, colourOf(e.colour));
            break;
        case Pass::Texts:
            if (e.kind == 3)
                job_.text(e.x1, e.y1, e.text, fontOf(e), colourOf(e.colour));
            break;
        }
    }

    std::vector<std::string> failed;

private:
    void picture(const GridElement& e) {
        const std::optional<std::string> path = core::storedPathOnThisSystem(files_, installation_, e.text);
        if (!path || !job_.picture(e.x1, e.y1, *path))
            failed.push_back(e.text);
    }

    core::PrintJob& job_;
    const core::Files& files_;
    const core::Installation& installation_;
};

// Turns the busy pointer off however the print ends.
class BusyPointer {
public:
    explicit BusyPointer(core::Platform& platform) : platform_(platform) { platform_.setBusy(true); }
    ~BusyPointer() { platform_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    core::Platform& platform_;
};

}  // namespace

std::vector<std::string> printGrid(core::PrintJob& job, const FormGrid& grid, GridOrder order,
                                   const core::Files& files, const core::Installation& installation) {
    GridPainter painter(job, files, installation);
    const int count = grid.count < 0 ? 0 : std::min(grid.count, FormGrid::maxElements);
    const auto passes = [order]() -> std::span<const Pass> {
        if (order == GridOrder::TestPrint)
            return testPrintPasses;
        return samplePasses;
    }();
    for (Pass pass : passes)
        for (int slot = 1; slot <= count; ++slot)
            painter.draw(grid.elements[static_cast<std::size_t>(slot)], pass);
    return std::move(painter.failed);
}

bool askAndPrint(core::Session& session, const std::string& title, const std::function<bool()>& print) {
    core::Platform& platform = session.platform();
    if (!platform.askYesNo("Iniziare la stampa?", title, core::Icon::Question))
        return false;
    BusyPointer busy(platform);
    return print();
}

bool askAndPrint(core::Session& session, const std::string& title,
                 const std::function<std::vector<std::string>(core::PrintJob&)>& draw) {
    return askAndPrint(session, title, [&]() {
        std::unique_ptr<core::PrintJob> job = session.platform().startPrintJob(title);
        // The job tells the user about the pictures it could not load when it ends; a stored
        // path that names no file on this system never reaches it, so those are said here.
        const std::vector<std::string> failed = draw(*job);
        const bool sent = job->end();
        std::string unresolved;
        for (const std::string& stored : failed)
            if (!core::storedPathOnThisSystem(session.files(), session.installation(), stored) &&
                unresolved.find(stored + "\n") == std::string::npos)
                unresolved += stored + "\n";
        if (!unresolved.empty())
            session.platform().message(
                "Impossibile trovare le immagini seguenti: non sono state stampate.\n" + unresolved, title,
                core::Icon::Exclamation);
        return sent;
    });
}

bool testPrint(core::Session& session, const FormGrid& grid) {
    return askAndPrint(session, "Prova stampa", [&](core::PrintJob& job) {
        return printGrid(job, grid, GridOrder::TestPrint, session.files(), session.installation());
    });
}

}  // namespace kalvora::printing
