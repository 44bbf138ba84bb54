#pragma once
// The conversion window zelacnv: the archives of the current company rewritten from the record
// layouts of the previous versions into the current ones, one progress bar per archive group.
//
// Only the correspondences listed in core/archive_layouts.h are applied. An archive holding data
// (a count above zero, or a non-empty file) without one is left as it is and named to the user;
// kalvora.a14, which marks a company in the current layout, is written only when nothing was
// left. The archives left are also written, one a line, in the note kalvora.cnv, so that a later
// run still knows them once kalvora.tot is in the current layout.
//
// Each converted archive is first copied, verified, to its kalold.* name; its new file is
// written beside it and moved over it only when every new file is whole. A failure before the
// moves leaves the company as it was; one during them puts the archives already moved back from
// their kalold.* copies.
#include "core/form.h"
#include "core/session.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

constexpr std::string_view conversionNoteName = "kalvora.cnv";
constexpr std::string_view conversionMarkerName = "kalvora.a14";

struct ConversionResult {
    enum class Outcome {
        Converted,       // the conversion ran to its end (see `left` for archives not converted)
        AlreadyCurrent,  // the archives were already in the current layout: only kalvora.a14 written
        Failed,          // nothing changed but the kalold.* copies; `failure` says why
    };
    Outcome outcome = Outcome::Failed;
    bool marked = false;             // kalvora.a14 written
    std::vector<std::string> left;   // archives with data left in the old layout
    std::vector<std::string> kept;   // old files kept as they are (kalvora.ly$)
    std::string failure;             // for the user, in Italian
};

// The archive groups in the order the window shows their bars.
std::vector<std::string> conversionGroups();

// Group `group` has gone this far (0..100).
using ConversionProgress = std::function<void(std::size_t group, int percent)>;

// Converts the current company's archives, asking nothing.
ConversionResult convertArchives(core::Session& session, const ConversionProgress& progress = {});

// What the user reads after a run.
std::string conversionReport(const ConversionResult& result);

class ArchiveConversionForm : public core::Form {
public:
    struct Group {
        std::string name;
        int percent = 0;
    };

    explicit ArchiveConversionForm(core::Session& session);
    std::string name() const override { return "zelacnv"; }
    std::string title() const override { return "Conversione archivi"; }

    void open();
    const std::vector<Group>& groups() const { return groups_; }
    bool working() const { return working_; }
    // Whether a conversion ran to its end while the window was open.
    bool converted() const { return converted_; }
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    // Button 1: asks "Confermi la conversione degli archivi?", converts, tells how it went and
    // closes; anything but Yes changes nothing and keeps the window open.
    void confirm();
    // Button 0 and the close box.
    void cancel();

private:
    std::vector<Group> groups_;
    bool working_ = false;
    bool converted_ = false;
    std::function<void()> listener_;
};

// At start-up: when the current company's folder exists and has no kalvora.a14, opens zelacnv;
// when the window is left without converting, says "La conversione degli archivi è stata
// annullata". Returns whether the window was opened.
bool offerConversion(core::Session& session);

// The notice shown by the menu entry before the window.
constexpr const char* conversionNotice =
    "Questa funzione converte gli archivi dell'azienda in uso dal formato delle versioni precedenti "
    "a quello attuale. Prima della conversione gli archivi originali vengono copiati nei file "
    "che iniziano con \"kalold.\", che restano nella cartella dell'azienda.";

// The menu entry: the notice, then the window.
void openArchiveConversion(core::Session& session);

}  // namespace kalvora::company
