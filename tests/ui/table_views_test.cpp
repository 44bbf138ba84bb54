// The wiring of the table windows, one table of cases for all of them: names, what the form
// shows, Enter, typing that is saved on Conferma. Then what only some windows have: leaving
// without saving, lists and check boxes, page selectors, the posting accounts' pages and chart.
#include "controls.h"
#include "support/archive_bytes.h"
#include "support/test_session.h"
#include "ui/banks_view.h"
#include "ui/carriers_view.h"
#include "ui/causals_view.h"
#include "ui/invoice_types_view.h"
#include "ui/payment_terms_view.h"
#include "ui/posting_accounts_view.h"
#include "ui/vat_codes_view.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace kalvora;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";

struct Opened {
    std::unique_ptr<tables::TableEditorForm> form;
    std::unique_ptr<QDialog> view;
};

template <typename Form, typename View>
Opened openWindow(core::Session& session) {
    auto form = std::make_unique<Form>(session);
    form->open();
    auto view = std::make_unique<View>(*form);
    return {std::move(form), std::move(view)};
}

struct Control {
    const char* name;
    const char* spoken;
    int maxLength = 32767;  // QLineEdit's own: no limit
};

struct Window {
    const char* name;
    Opened (*open)(core::Session&);
    std::function<void(std::vector<std::string>&)> seed;  // lines of kalvora.tab
    std::vector<Control> controls;
    std::pair<const char*, const char*> shown;  // a box and what it shows
    std::vector<std::pair<const char*, const char*>> enter;  // Enter in a box moves to another
    const char* typedBox;
    const char* typed;
    std::size_t savedLine;  // where Conferma writes it
    const char* saved;
};

// Entries 1..n of a table whose entry k starts at line first + step * (k - 1).
auto entries(std::size_t first, std::size_t step, int n, const std::string& text) {
    return [=](std::vector<std::string>& lines) {
        for (int k = 1; k <= n; ++k) lines[first + step * (k - 1)] = text + ' ' + std::to_string(k);
    };
}

const std::vector<Window>& windows() {
    static const std::vector<Window> all = {
        {"zelstban", openWindow<tables::BanksForm, ui::BanksView>, entries(250, 5, 30, "Banca"),
         {{"text1_0", "Descrizione banca 1"}, {"sc1_2", "ABI 3", 5}, {"sc4_0", "Codice conto sottoconto 1", 4}},
         {"text1_2", "Banca 3"}, {{"text1_0", "sc1_0"}, {"sc4_0", "text1_1"}}, "text1_1", " Sud", 255, "Banca 2 Sud"},
        {"zelstvet", openWindow<tables::CarriersForm, ui::CarriersView>, entries(402, 6, 40, "Vettore"),
         {{"text1_0", "Nome vettore o tipo di trasporto 1"}, {"text4_0", "ID Stato 1", 2}, {"sc4_4", "Codice Fiscale 5", 16}},
         {"text1_4", "Vettore 5"}, {{"text1_0", "Text2_0"}, {"sc4_0", "text1_1"}}, "Text2_1", "Via Po", 409, "Via Po"},
        {"zelstcau", openWindow<tables::CausalsForm, ui::CausalsView>, entries(400, 6, 40, "Causale"),
         {{"sc4_0", "Causali movimentazioni di magazzino 1"}, {"text_2", "Aspetto esteriore dei beni 3"},
          {"text1_2", "Cat.Merceologiche 3"}},
         {"sc4_2", "Causale 3"}, {{"sc4_0", "sc4_1"}}, "text_0", "Sfuso", 401, "Sfuso"},
        {"zelstbil", openWindow<tables::InvoiceTypesForm, ui::InvoiceTypesView>, entries(170, 1, 40, "Vendite"),
         {{"text1_0", "Fatture emesse (ricavi) 1"}, {"Text2_0", "Fatture ricevute (costi) 1", 95}, {"sc4_2", "%Detr 3", 5}},
         {"text1_1", "Vendite 2"}, {{"text1_0", "Text2_0"}, {"sc4_0", "text1_1"}}, "text1_1", " X", 171, "Vendite 2 X"},
        {"zelstpag", openWindow<tables::PaymentTermsForm, ui::PaymentTermsView>, entries(92, 2, 30, "Termine"),
         {{"text1_2", "Descrizione 3"}, {"sc1_2", "Mesi rata 1 riga 3", 9}, {"sc7_2", "Mesi rata 6 riga 3", 9},
          {"Combo1_0", "Tipo pagamento 1"}, {"fine_0", "Fine mese riga 1"}, {"sc5_0", "Giorni dopo fine mese riga 1", 9},
          {"Text2_0", "Giorno di agosto", 5}},
         {"text1_0", "Termine 1"}, {{"text1_0", "sc1_0"}, {"sc4_0", "sc6_0"}, {"sc7_0", "sc5_0"}, {"sc5_0", "text1_1"}},
         "text1_1", ", 30 gg", 94, "Termine 2, 30 gg"},
        {"zelstiva", openWindow<tables::VatCodesForm, ui::VatCodesView>,
         [](std::vector<std::string>& lines) {
             for (int k = 1; k <= 8; ++k) lines[4 * (k - 1)] = std::to_string(20 + k);  // %Iva of sales code k
         },
         {{"text1_9", "%CP Codice iva 2"}, {"text1_83", "%Agr Codice iva 2"},
          {"text1_11", "Articolo esenzione Codice esente 2"}, {"Combo2_1", "Tipo operazione Codice iva 2"},
          {"text1_49", "%Detr Codice iva 1"}, {"Combo1_7", "Tipo Codice iva 8"},
          {"text1_81", "Aliquota interessi liquidazione iva dovuti da contribuenti trimestrali"}},
         {"text1_6", "22"}, {{"text1_0", "text1_1"}, {"text1_3", "text1_82"}, {"text1_82", "text1_4"}, {"text1_81", "text1_81"}},
         "text1_1", "4", 1, "4"},
        {"zelstmas", openWindow<tables::PostingAccountsForm, ui::PostingAccountsView>,
         [](std::vector<std::string>& lines) { lines[154] = "51010001"; },
         {{"text1_4", "Conto di default per la registrazione dei ricavi sottoconto", 4}, {"Text2_0", "Fattura emessa", 40}},
         {"text1_2", "51"}, {{"text1_0", "text1_1"}}, "text1_2", "52", 154, "52010001"},
    };
    return all;
}

struct Fixture {
    // `more` writes the other files the window reads.
    explicit Fixture(const Window& w, const std::function<void(const kalvora::testing::TempDrive&)>& more = {}) {
        test.drive.makeInstallation(0);
        std::vector<std::string> lines(930);
        w.seed(lines);
        test.drive.write(tabFile, core::encodeLines(lines));
        if (more) more(test.drive);
        opened = w.open(test.session);
        view()->show();
        view()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view()));
    }
    QDialog* view() const { return opened.view.get(); }
    tables::TableEditorForm& form() const { return *opened.form; }
    template <typename T = QWidget> T* child(const QString& n) const { return kalvora::testing::child<T>(*view(), n); }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(QLatin1String(name)); }
    std::string line(std::size_t i) const { return test.files.readLines(test.drive.path(tabFile))->at(i); }

    kalvora::testing::TestSession test;
    Opened opened;
};

void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
}

}  // namespace

class TableViewsTest : public QObject {
    Q_OBJECT

private slots:
    void opensMovesOnEnterAndSavesOnConferma_data() {
        QTest::addColumn<int>("window");
        for (std::size_t i = 0; i < windows().size(); ++i) QTest::newRow(windows()[i].name) << static_cast<int>(i);
    }

    void opensMovesOnEnterAndSavesOnConferma() {
        QFETCH(int, window);
        const Window& w = windows()[static_cast<std::size_t>(window)];
        Fixture f(w);
        QCOMPARE(f.view()->objectName(), QLatin1String(w.name));
        for (const Control& c : w.controls) {
            QWidget* control = f.child(QLatin1String(c.name));
            QCOMPARE(control->accessibleName(), QString::fromUtf8(c.spoken));
            if (auto* box = qobject_cast<QLineEdit*>(control)) QCOMPARE(box->maxLength(), c.maxLength);
        }
        QCOMPARE(f.box(w.shown.first)->text(), QString::fromUtf8(w.shown.second));
        QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
        QCOMPARE(f.child<QToolButton>("bottone_0")->accessibleName(), QStringLiteral("Annulla"));

        QCOMPARE(f.view()->focusWidget(), f.child(QLatin1String(w.enter.front().first)));
        for (const auto& [from, to] : w.enter) {
            f.box(from)->setFocus();
            QTest::keyClick(f.box(from), Qt::Key_Return);
            QVERIFY2(f.view()->focusWidget() == f.child(QLatin1String(to)), from);
        }

        QLineEdit* box = f.box(w.typedBox);
        // A text starting with a blank or a comma goes after what the box shows, any other over it.
        if (w.typed[0] == ' ' || w.typed[0] == ',')
            box->end(false);
        else box->selectAll();
        type(box, QString::fromUtf8(w.typed));
        QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
        QVERIFY(f.form().closed());
        QVERIFY(!f.view()->isVisible());
        QVERIFY(f.test.platform.messages().empty());
        QCOMPARE(QString::fromStdString(f.line(w.savedLine)), QString::fromUtf8(w.saved));
    }

    // The close box and Esc are the same for every table window: the banks' stand for all.
    void leavingPadsABoxAndCloseBoxAndEscDoNotSave() {
        for (const bool esc : {false, true}) {
            Fixture f(windows()[0]);
            const std::string before = f.test.drive.read(tabFile);
            type(f.box("sc4_0"), QStringLiteral("5"));
            f.box("sc6_0")->setFocus();
            QCOMPARE(f.box("sc4_0")->text(), QStringLiteral("0005"));
            if (esc)
                QTest::keyClick(f.view(), Qt::Key_Escape);
            else f.view()->close();
            QVERIFY(f.form().closed());
            QVERIFY(!f.view()->isVisible());
            QCOMPARE(f.test.drive.read(tabFile), before);
        }
    }

    void paymentListsCheckBoxesAndPageReachTheForm() {
        Fixture f(windows()[4]);
        auto& form = static_cast<tables::PaymentTermsForm&>(f.form());
        auto* list = f.child<QComboBox>("Combo1_0");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(form.row(0).type, list->currentIndex());
        QVERIFY(list->currentIndex() >= 0);
        kalvora::testing::toggleAsAssistant(f.child<QCheckBox>("fine_1"));
        QVERIFY(form.row(1).endOfMonth);
        QTest::mouseClick(f.child<QCheckBox>("fine_16"), Qt::LeftButton);
        type(f.box("Text2_1"), QStringLiteral("20"));
        QVERIFY(form.monthMove(tables::PaymentTermsForm::december));
        QCOMPARE(form.moveDay(tables::PaymentTermsForm::december), std::string("20"));
        // A pasted line break would split the file's line.
        QGuiApplication::clipboard()->setText(QStringLiteral("a\nb"));
        f.box("text1_3")->setFocus();
        f.box("text1_3")->selectAll();
        QTest::keySequence(f.box("text1_3"), QKeySequence::Paste);
        QCOMPARE(form.row(3).description, std::string("a b"));

        // Enter on the last row scrolls one entry; the page selector and the names follow.
        QTest::keyClick(f.box("sc5_14"), Qt::Key_Return);
        QCOMPARE(f.child<QScrollBar>("selpag")->value(), 2);
        QCOMPARE(f.view()->focusWidget(), f.box("text1_14"));
        QCOMPARE(f.box("text1_14")->accessibleName(), QStringLiteral("Descrizione 16"));
        f.child<QScrollBar>("selpag")->setValue(10);
        QCOMPARE(f.box("text1_0")->text(), QStringLiteral("Termine 10"));
    }

    void listsAndSetsFollowTheirOwnScrollBars() {
        {
            Fixture f(windows()[2]);  // causals: each list has its own scroll bar
            f.child<QScrollBar>("VScroll1")->setValue(5);
            QCOMPARE(f.box("sc4_0")->text(), QStringLiteral("Causale 5"));
            QCOMPARE(f.box("sc4_0")->accessibleName(), QStringLiteral("Causali movimentazioni di magazzino 5"));
            QCOMPARE(f.child<QScrollBar>("VScroll3")->maximum(), 183);
        }
        Fixture f(windows()[5]);  // VAT codes: two sets paged apart
        f.child<QScrollBar>("VScroll2")->setValue(9);
        QCOMPARE(f.box("text1_48")->accessibleName(), QStringLiteral("%Iva Codice iva 9"));
        f.child<QScrollBar>("VScroll1")->setValue(2);
        QCOMPARE(f.box("text1_0")->text(), QStringLiteral("22"));
        auto& form = static_cast<tables::VatCodesForm&>(f.form());
        auto* nature = f.child<QComboBox>("Combo3_0");
        nature->setFocus();
        QTest::keyClick(nature, Qt::Key_Down);
        QCOMPARE(form.purchaseNature(0), nature->currentIndex());
        QTest::mouseClick(f.child<QCheckBox>("esig"), Qt::LeftButton);
        QVERIFY(form.esig());
    }

    void postingAccountsSwitchPagesAndTakeTheChart() {
        // A chart of one account: its count in kalvora.tot, the account in kalvora.con.
        Fixture f(windows()[6], [&](const kalvora::testing::TempDrive& drive) {
            drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", kalvora::testing::countsFile({{6, 1}}, 6, 0));
            drive.write("kalwin/kalwin/kalaz0.000/kalvora.con",
                        kalvora::testing::bytesOf(kalvora::testing::accountRecord("02060001", "Cassa contanti")));
        });
        f.box("text1_5")->setFocus();
        auto* list = f.child<QListWidget>("List1");
        QCOMPARE(list->count(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(f.box("text1_5")->text() + f.box("text1_6")->text() + f.box("text1_7")->text(), QStringLiteral("02060001"));
        QCOMPARE(f.child<QLabel>("desc_2")->text(), QStringLiteral("Cassa contanti"));

        QTest::mouseClick(f.child<QToolButton>("bottone_2"), Qt::LeftButton);
        QVERIFY(f.child<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!list->isVisible());
        QCOMPARE(f.view()->focusWidget(), f.box("Text2_0"));
        QTest::mouseClick(f.child<QToolButton>("bottone_3"), Qt::LeftButton);
        QVERIFY(f.child<QGroupBox>("Frame2")->isVisible());
    }
};

QTEST_MAIN(TableViewsTest)
#include "table_views_test.moc"
