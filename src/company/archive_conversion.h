#pragma once
// The conversion window zelacnv: the archives of the current company rewritten from the record
// layouts of the previous versions into the current ones, one progress bar per archive group.
//
// Only the correspondences listed in core/archive_layouts.h are applied. When any archive holds
// data (a count above zero, or a non-empty file) without one, nothing is converted: the company
// stays wholly in the old layout, so that no module ever reads an old archive with counts of the
// new layout, and the archives that stopped it are named to the user. kalvora.a14, which marks a
// company in the current layout, is written only after a whole conversion.
//
// The layout of the count file decides the run: a kalvora.tot in the current layout means the
// company is already converted; one whose size fits neither layout is never guessed at.
//
// Each converted archive is first copied, verified, to its kalold.* name; its new file is
// written beside it and moved over it only when every new file is whole. A failure before the
// moves leaves the company as it was; one during them puts the archives already moved back from
// their kalold.* copies.
#include "core/form.h"
#include "core/session.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

constexpr std::string_view conversionMarkerName = "kalvora.a14";

// The layout of a count file kalvora.tot of `bytes` bytes: current when it holds a whole number
// of 140-byte records, at least a new company's 50; old when it holds a whole number of 12-byte
// records and is not current (an empty or missing file included); anything else fits neither.
enum class CountLayout { Old, Current, Neither };
CountLayout countFileLayout(std::uint64_t bytes);

struct ConversionResult {
    enum class Outcome {
        Converted,       // every archive with data converted (kalvora.a14: see `marked`)
        AlreadyCurrent,  // the archives were already in the current layout: only kalvora.a14 written
        NotConverted,    // archives in `left` have data and no known correspondence: nothing changed
        Failed,          // nothing changed but the kalold.* copies; `failure` says why
    };
    Outcome outcome = Outcome::Failed;
    bool marked = false;             // kalvora.a14 written
    std::vector<std::string> left;   // archives with data that stopped the conversion
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
    // Whether the company was converted, or found already current, while the window was open.
    bool converted() const { return converted_; }
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    // Button 1: asks "Confermi la conversione degli archivi?", converts, tells how it went and
    // closes (a failure keeps the window open); anything but Yes changes nothing and keeps it.
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
