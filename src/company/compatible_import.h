#pragma once
// The window zelabem, "Conversione archivi di programmi compatibili": the archive files of a
// compatible program's company folder, chosen with the drive and folder chooser, copied into
// the current company's folder under the same names. Every file is first copied beside the
// company's archives under a staged name and checked against its source; then the journal of
// the year-end reset swaps them all in, together with the removal of the company's kalvora.a14
// when the folder has none (so that the start-up offers the conversion of what was imported).
// A failed copy leaves the company as it was; a swap cut short is completed at the next opening.
#include "core/folder_chooser.h"
#include "core/form.h"
#include "core/session.h"

#include <functional>
#include <string>

namespace kalvora::company {

class CompatibleImportForm : public core::Form {
public:
    explicit CompatibleImportForm(core::Session& session);
    std::string name() const override { return "zelabem"; }
    std::string title() const override { return "Conversione archivi di programmi compatibili"; }

    // Proposes the home folder.
    void open();
    std::string frameTitle() const { return "Selezione periferica o cartella"; }
    std::string folderLabel() const { return "Cartella selezionata"; }
    core::FolderChooser& chooser() { return chooser_; }
    const std::string& folder() const { return chooser_.folder(); }

    // "Converto il file" and the file being copied, empty when idle.
    const std::string& status() const { return status_; }
    bool working() const { return working_; }
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    // Button 1: the chosen folder must hold kalvora.tot; asks "Sei proprio sicuro?", copies
    // every file of the folder (not its sub-folders, nor files staged by a run there), removes the
    // company's kalvora.a14 when the folder has none, says "Conversione eseguita" and closes.
    void confirm();
    // Button 0 and the close box.
    void cancel();

private:
    core::FolderChooser chooser_;
    std::string status_;
    bool working_ = false;
    std::function<void()> listener_;
};

// The menu entry.
void openCompatibleImport(core::Session& session);

}  // namespace kalvora::company
