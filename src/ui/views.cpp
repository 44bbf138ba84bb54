#include "ui/views.h"

#include "ui/banks_view.h"
#include "ui/carriers_view.h"
#include "ui/causals_view.h"
#include "ui/company_creation_view.h"
#include "ui/company_selection_view.h"
#include "ui/info_view.h"
#include "ui/invoice_types_view.h"
#include "ui/login_view.h"
#include "ui/main_view.h"
#include "ui/password_view.h"
#include "ui/payment_terms_view.h"
#include "ui/posting_accounts_view.h"
#include "ui/users_table_view.h"
#include "ui/vat_codes_view.h"

namespace kalvora::ui {

namespace {

// A factory for view V of form type F; a form of another type gets no view.
template <typename V, typename F>
QtPlatform::ViewFactory factoryOf() {
    return [](core::Form& form, QWidget* parent) -> QWidget* {
        auto* typed = dynamic_cast<F*>(&form);
        return typed ? new V(*typed, parent) : nullptr;
    };
}

}  // namespace

void registerViews(QtPlatform& platform) {
    platform.registerView("kalxena", factoryOf<MainView, launcher::MainForm>());
    platform.registerView("zelselazi", factoryOf<CompanySelectionView, company::CompanySelectionForm>());
    platform.registerView("zelabout", factoryOf<InfoView, launcher::InfoForm>());
    platform.registerView("zelcrea", factoryOf<CompanyCreationView, company::CompanyCreationForm>());
    platform.registerView("zelchkp", factoryOf<LoginView, launcher::LoginForm>());
    platform.registerView("zelpasw", factoryOf<PasswordView, launcher::PasswordForm>());
    platform.registerView("zelstpwd", factoryOf<UsersTableView, launcher::UsersTableForm>());
    platform.registerView("zelstpag", factoryOf<PaymentTermsView, tables::PaymentTermsForm>());
    platform.registerView("zelstiva", factoryOf<VatCodesView, tables::VatCodesForm>());
    platform.registerView("zelstban", factoryOf<BanksView, tables::BanksForm>());
    platform.registerView("zelstvet", factoryOf<CarriersView, tables::CarriersForm>());
    platform.registerView("zelstcau", factoryOf<CausalsView, tables::CausalsForm>());
    platform.registerView("zelstmas", factoryOf<PostingAccountsView, tables::PostingAccountsForm>());
    platform.registerView("zelstbil", factoryOf<InvoiceTypesView, tables::InvoiceTypesForm>());
}

}  // namespace kalvora::ui
