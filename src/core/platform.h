#pragma once
// Everything the program asks of the desktop. QtPlatform implements it for real; the tests'
// FakePlatform records every call and answers from a script.
#include "core/print_job.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::core {

class Form;
struct Date;

enum class Icon { None, Critical, Question, Exclamation, Information };

// Programs of the desktop that the launcher offers.
enum class DesktopTool { Calculator, WordProcessor };

struct ScreenSize {
    int width = 1024;
    int height = 768;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Messages and questions. Refusals and errors: title "Attenzione", Icon::Critical.
    virtual void message(const std::string& text, const std::string& title, Icon icon) = 0;
    virtual bool askYesNo(const std::string& text, const std::string& title,
                          Icon icon = Icon::Question) = 0;

    // Opens the window of `form` and returns when the form has closed.
    virtual void showModal(Form& form) = 0;
    // Opens the window of `form` beside the main window and returns at once; the platform keeps
    // the form until its window closes.
    virtual void show(std::unique_ptr<Form> form) = 0;
    // Lets pending window events run (long work calls it between files or records).
    virtual void processEvents() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual ScreenSize screenSize() const = 0;

    // Starts a program with its arguments, never through a shell, not waiting for it. Returns 0
    // or an error number. `windowTitle` is the title its main window will carry, so the platform
    // can still tell that it is running where it cannot see other programs' windows.
    virtual int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& windowTitle) = 0;
    // The desktop's program for `tool`; empty when there is none.
    virtual std::string desktopProgram(DesktopTool tool) = 0;
    // Opens a document or address with the desktop's default handler. Returns a result code
    // as the old shell did: above 32 success; 2 file not found, 3 path not found, 5 access
    // denied, 31 no handler.
    virtual int openDocument(const std::string& target) = 0;
    // Brings the window with exactly this title to the front; false when there is none.
    virtual bool bringToFront(const std::string& title) = 0;
    // Asks the window the last bringToFront found to close, as Alt+F4 does; nothing when that
    // found none.
    virtual void closeFrontWindow() = 0;

    // Sets the computer's date (the time of day stays). Returns 0 or an error number.
    virtual int setSystemDate(const Date& date) = 0;
    // The desktop's printer setup dialog; the printer chosen there takes the following jobs.
    virtual void printerSetup() = 0;
    // Starts a print job named `title` (its name in the print queue and of its PDF file). The job
    // goes to the chosen printer after a preview, or to a PDF file when the system has no printer
    // or the user asks. Never null.
    virtual std::unique_ptr<PrintJob> startPrintJob(const std::string& title) = 0;
    // Whether the printer can use the font `name` (the font exists and is printable).
    virtual bool canPrintFont(const std::string& name) = 0;

    // The desktop's font, colour and file dialogs; nullopt when the user cancels. A colour is
    // R + 256 G + 65536 B. `filter` lists patterns as "*.bmp; *.jpg"; the result is an absolute path.
    virtual std::optional<PrintFont> chooseFont(const std::string& title, const PrintFont& preset) = 0;
    virtual std::optional<long> chooseColour(const std::string& title, long initial) = 0;
    virtual std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                                  const std::string& folder) = 0;

    // The system's regional settings, which other programs on the desktop use: `date` in the
    // short date form, and `value` with thousands grouping and `decimals` decimals.
    virtual std::string regionalDate(const Date& date) = 0;
    virtual std::string regionalNumber(double value, int decimals) = 0;

    // Whether the computer has a network connection other than loopback.
    virtual bool isOnline() = 0;
    // Fetches an address; nullopt on any failure or after `timeoutMs` milliseconds.
    virtual std::optional<std::string> download(const std::string& address, int timeoutMs) = 0;

    // Ends the process after the current event (the main window's close).
    virtual void quit() = 0;
};

}  // namespace kalvora::core
