#pragma once
// The window zelalet ("Verifica attributi sola lettura archivi"): gives back the owner's write
// permission to the files of the company folder (and, when asked, of the installation folder)
// that lost it, as files copied from a CD-ROM do. Hidden files (names beginning with a dot),
// folders and symbolic links are left alone.
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::company {

class ReadOnlyCheckForm : public core::Form {
public:
    static constexpr const char* explanation =
        "Questa funzione controlla ed eventualmente rimuove gli attributi di sola lettura ai files "
        "ripristinati da copie effettuate su CD-ROM";
    static constexpr const char* hint =
        "Clic sul bottone 'esegui verifica' per iniziare il controllo ed il ripristino automatico";
    static constexpr const char* runCaption = "esegui verifica";
    static constexpr const char* doneTitle = "Verifica attributi sola lettura";
    static constexpr std::size_t nameWidth = 15;  // file names in the lines, cut or padded

    // Option1 0 and 1.
    enum class Scope { Archives, AllFiles };
    static constexpr std::array<const char*, 2> scopeCaptions{
        "Controlla solo gli archivi operativi",
        "Controlla tutti i files (archivi operativi e files di sistema)",
    };

    explicit ReadOnlyCheckForm(core::Session& session);
    std::string name() const override { return "zelalet"; }
    std::string title() const override { return "Verifica attributi sola lettura archivi"; }

    // Starts with an empty list and the company's archives only.
    void open();

    Scope scope() const { return scope_; }
    void setScope(Scope scope);
    // List1: two lines per file found read-only, and a line per folder that could not be read.
    const std::vector<std::string>& lines() const { return lines_; }
    bool working() const { return working_; }

    // "esegui verifica": checks the company folder, and the installation folder with AllFiles,
    // then says "Verifica terminata".
    void run();
    // The close box; ignored while the check runs.
    void cancel() {
        if (!working_) close();
    }

private:
    void checkFolder(const std::string& folder);

    Scope scope_ = Scope::Archives;
    std::vector<std::string> lines_;
    bool working_ = false;
};

// Opens zelalet for the current company and waits for it to close.
void openReadOnlyCheck(core::Session& session);

}  // namespace kalvora::company
