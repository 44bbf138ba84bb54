#pragma once
// The register numbering window zelnum ("Numerazione registri"): prints the numbered blank pages
// of a statutory book, one sheet per page number, each headed with the register's name and the
// current company's name and tax code.
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::company {

class RegisterNumberingForm : public core::Form {
public:
    static constexpr int fieldCount = 3;       // text1_0 name, text1_1 first page, text1_2 last page
    static constexpr int headerLines = 9;      // kalvora.int lines read: name .. tax code
    static constexpr int maxPages = 10000;     // pages printed in one run at most
    static constexpr const char* fontName = "arial";
    static constexpr double fontSize = 10;     // points

    explicit RegisterNumberingForm(core::Session& session);
    std::string name() const override { return "zelnum"; }
    std::string title() const override { return "Numerazione registri"; }

    // Reads lines 1..9 of the current company's kalvora.int; a missing file leaves them empty.
    void open();
    const std::vector<std::string>& header() const { return header_; }

    // text1_k, k 0..2; one line each.
    const std::string& text(int k) const;
    void setText(int k, const std::string& value);
    // anno: the page label carries the current year.
    bool anno() const { return anno_; }
    void setAnno(bool on) { anno_ = on; }

    // The label of page n as printed.
    std::string pageLabel(long n) const;
    // The line at the top of every page.
    std::string pageHeader() const;

    // bottone_1: checks the page numbers, asks, then prints one page per number. The window
    // stays open for the next register. False when nothing was printed.
    bool print();
    // bottone_0 and the close box.
    void cancel() { close(); }
    void button(int index);

private:
    std::array<std::string, fieldCount> texts_;
    bool anno_ = false;
    std::vector<std::string> header_;
};

// Opens zelnum for the current company and waits for it to close.
void openRegisterNumbering(core::Session& session);

}  // namespace kalvora::company
