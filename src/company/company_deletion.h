#pragma once
// Deleting a company: its registry line is freed and company 000 becomes current. The folder
// and its archives stay on disk. Shared by the company window's mode 4 and "Elimina azienda".
#include "core/session.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

// Asks each question in turn (Yes/No, title "Eliminazione azienda") and, when all are answered
// Yes, frees the registry line of `code`, rewrites the registry and makes company 000 current.
// Company 000 is refused before any question; codes outside 1..999 do nothing.
void deleteCompany(core::Session& session, int code, const std::vector<std::string>& questions);

// "Elimina azienda": deletes the company shown in the main window, whose code is the first
// three characters of its caption, after one question naming it.
void deleteShownCompany(core::Session& session, std::string_view companyCaption);

// The message of a registry that could not be rewritten (critical, "Attenzione").
void reportRegistryError(core::Platform& platform, int error);

}  // namespace kalvora::company
