#include "ui/views.h"

#include "company/accounting_closing.h"
#include "company/backup_form.h"
#include "company/balance_check.h"
#include "company/general_settings_form.h"
#include "company/register_numbering.h"
#include "company/restore_form.h"
#include "company/year_end_reset_form.h"
#include "launcher/update_installer.h"
#include "printing/field_placement.h"
#include "printing/label_layout_form.h"
#include "printing/layout_designer.h"
#include "printing/listing_settings_form.h"
#include "printing/settings_check.h"
#include "tables/cash_register_form.h"
#include "tables/einvoice_issuer_form.h"
#include "ui/archive_copy_view.h"
#include "ui/banks_view.h"
#include "ui/carriers_view.h"
#include "ui/causals_view.h"
#include "ui/company/accounting_closing_view.h"
#include "ui/company/balance_check_view.h"
#include "ui/company/general_settings_view.h"
#include "ui/company/register_numbering_view.h"
#include "ui/company/year_end_reset_view.h"
#include "ui/company_creation_view.h"
#include "ui/company_selection_view.h"
#include "ui/info_view.h"
#include "ui/invoice_types_view.h"
#include "ui/launcher/update_installer_view.h"
#include "ui/login_view.h"
#include "ui/main_view.h"
#include "ui/password_view.h"
#include "ui/payment_terms_view.h"
#include "ui/posting_accounts_view.h"
#include "ui/printing/field_placement_view.h"
#include "ui/printing/label_layout_view.h"
#include "ui/printing/layout_designer_view.h"
#include "ui/printing/listing_settings_view.h"
#include "ui/printing/settings_check_view.h"
#include "ui/tables/cash_register_view.h"
#include "ui/tables/einvoice_issuer_view.h"
#include "ui/users_table_view.h"
#include "ui/vat_codes_view.h"

namespace kalvora::ui {

void registerViews(QtPlatform& platform) {
    platform.registerView<launcher::MainForm, MainView>();
    platform.registerView<company::CompanySelectionForm, CompanySelectionView>();
    platform.registerView<launcher::InfoForm, InfoView>();
    platform.registerView<company::CompanyCreationForm, CompanyCreationView>();
    platform.registerView<company::BackupForm, ArchiveCopyView>();
    platform.registerView<company::RestoreForm, ArchiveCopyView>();
    platform.registerView<company::AccountingClosingForm, AccountingClosingView>();
    platform.registerView<company::BalanceCheckForm, BalanceCheckView>();
    platform.registerView<company::YearEndResetForm, YearEndResetView>();
    platform.registerView<company::GeneralSettingsForm, GeneralSettingsView>();
    platform.registerView<company::RegisterNumberingForm, RegisterNumberingView>();
    platform.registerView<launcher::UpdateInstallerForm, UpdateInstallerView>();
    platform.registerView<tables::CashRegisterForm, CashRegisterView>();
    platform.registerView<tables::EInvoiceIssuerForm, EInvoiceIssuerView>();
    platform.registerView<printing::FieldPlacementForm, FieldPlacementView>();
    platform.registerView<printing::LabelLayoutForm, LabelLayoutView>();
    platform.registerView<printing::LayoutDesignerForm, LayoutDesignerView>();
    platform.registerView<printing::ListingSettingsForm, ListingSettingsView>();
    platform.registerView<printing::SettingsCheckForm, SettingsCheckView>();
    platform.registerView<launcher::LoginForm, LoginView>();
    platform.registerView<launcher::PasswordForm, PasswordView>();
    platform.registerView<launcher::UsersTableForm, UsersTableView>();
    platform.registerView<tables::PaymentTermsForm, PaymentTermsView>();
    platform.registerView<tables::VatCodesForm, VatCodesView>();
    platform.registerView<tables::BanksForm, BanksView>();
    platform.registerView<tables::CarriersForm, CarriersView>();
    platform.registerView<tables::CausalsForm, CausalsView>();
    platform.registerView<tables::PostingAccountsForm, PostingAccountsView>();
    platform.registerView<tables::InvoiceTypesForm, InvoiceTypesView>();
}

}  // namespace kalvora::ui
