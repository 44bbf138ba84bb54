#pragma once
// The restore window zelarip: copies files from a backup folder (or any folder holding company
// files) back into the current company's folder. A company file is replaced only by a complete
// copy: a copy that fails leaves the company's own file in place.
#include "company/archive_copy.h"

namespace kalvora::company {

class RestoreForm : public ArchiveCopyForm {
public:
    static constexpr const char* nothingFound = "Nessun files trovato";

    explicit RestoreForm(core::Session& session);

    std::string name() const override { return "zelarip"; }
    std::string title() const override { return "Ripristino copie di backup"; }

    // Loads the company settings, proposes the company's kalaz0.bak (made when missing) and
    // lists its files.
    void open();
    // No file was found in the source folder: the first row says so and nothing can start.
    bool emptyList() const { return filledRows() == 0; }

private:
    void rebuild() override;
    bool readyToCopy() override;
    bool copySelected() override;
};

}  // namespace kalvora::company
