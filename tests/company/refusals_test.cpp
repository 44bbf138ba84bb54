// Refusals of the company, general settings and e-invoice windows: titled "Attenzione", stop icon.
#include "company/company_creation.h"
#include "company/company_deletion.h"
#include "company/current_company.h"
#include "company/general_settings_form.h"
#include "support/test_session.h"
#include "tables/einvoice_issuer_form.h"
#include "ui/ui_fixtures.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using Act = std::function<void(testing::TestSession&)>;

TEST(Refusals, SayAttenzioneWithTheStopIcon) {
    const std::pair<const char*, Act> cases[] = {
        {"company 000 deleted", [](auto& t) { deleteShownCompany(t.session, "000 Alfa"); }},
        {"company 000 deleted from its window",
         [](auto& t) {
             CompanyCreationForm form(t.session, CreationMode::Delete);
             form.open();
             form.confirm();
         }},
        {"no currency code",
         [](auto& t) {
             GeneralSettingsForm form(t.session);
             form.open();
             form.editCurrencyCode("");
             form.button(1);
         }},
        {"a PDF reader that is no program",
         [](auto& t) {
             GeneralSettingsForm form(t.session);
             form.open();
             t.platform.fileAnswers = {t.drive.path(testing::registryPath)};
             form.colourButton(3);
         }},
        {"an e-invoice folder too long",
         [](auto& t) {
             const std::string deep = t.drive.path("kalwin/" + std::string(200, 'f'));
             std::filesystem::create_directories(deep);
             tables::EInvoiceIssuerForm form(t.session);
             form.open();
             form.chooser().setFolder(deep);
             form.browse(0);
         }},
    };
    for (const auto& [what, act] : cases) {
        testing::TestSession t;
        t.drive.write(testing::registryPath, testing::registryBytes({{0, "Alfa"}}));
        openFirstCompany(t.session);
        act(t);
        const auto shown = t.platform.messages();
        ASSERT_EQ(shown.size(), 1u) << what;
        EXPECT_EQ(shown[0].title + (shown[0].icon == core::Icon::Critical ? " !" : " ?"), "Attenzione !") << what;
    }
}

}  // namespace
}  // namespace kalvora::company
