#pragma once
// The three help documents of the installation folder and their opening, either with the PDF
// viewer named in the general settings or with the desktop's default handler.
#include "core/session.h"

#include <array>
#include <string>
#include <string_view>

namespace kalvora::launcher {

// Documents 1 (operating guide), 2 (latest changes) and 3 (how-to guide).
inline constexpr std::array<std::string_view, 3> helpDocuments{"kalvora1.pdf", "kal_agg1.pdf", "kalvora2.pdf"};

// Where a PDF viewer can be downloaded when the desktop has none.
constexpr const char* pdfReaderDownloadPage = "https://get.adobe.com/it/reader/";

// The file of document `number` (1..3) in the installation folder, whatever the case of its
// name on disk; empty for any other number.
std::string helpDocumentPath(const core::Files& files, const core::Installation& inst, int number);

// The text for a failed result of Platform::openDocument.
std::string openFailureText(int result);

// Opens help document `number` (1..3) and reports a failure to the user.
void openHelpDocument(core::Session& session, int number);

}  // namespace kalvora::launcher
