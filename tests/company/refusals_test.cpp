// Refusals of the company, general settings and e-invoice windows: titled "Attenzione", stop icon.
#include "company/company_creation.h"
#include "company/company_deletion.h"
#include "company/current_company.h"
#include "company/general_settings_form.h"
#include "support/test_session.h"
#include "tables/einvoice_issuer_form.h"
#include "ui/ui_fixtures.h"

#include <functional>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

TEST(Refusals, SayAttenzioneWithTheStopIcon) {
    using T = testing::TestSession;
    const std::pair<const char*, std::function<void(T&)>> cases[] = {
        {"company 000 deleted", [](T& t) { deleteShownCompany(t.session, "000 Alfa"); }},
        {"company 000 deleted from its window", [](T& t) {
             CompanyCreationForm form(t.session, CreationMode::Delete);
             form.open();
             form.confirm();
         }},
        {"no currency code", [](T& t) {
             GeneralSettingsForm form(t.session);
             form.open();
             form.editCurrencyCode("");
             form.button(1);
         }},
        {"an e-invoice folder too long", [](T& t) {
             const std::string deep = "kalwin/" + std::string(200, 'f');
             t.drive.write(deep + "/x", "");
             tables::EInvoiceIssuerForm form(t.session);
             form.open();
             form.chooser().setFolder(t.drive.path(deep));
             form.browse(0);
         }},
    };
    for (const auto& [what, act] : cases) {
        T t;
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
